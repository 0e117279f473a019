// Moving the cards of one card file into another: duplication, export, import and layout
// conversion share one sequence of steps and differ in layouts, record filter and conversion.
#pragma once

namespace ferrow {

// The locale string of every card file this library creates or compacts.
extern const char kCardFileLocale[];

void DuplicateCardFile(const char* source, const char* destination);
void ExportCardFile(const char* source, const char* destination, int mode);
void ImportCardFile(const char* cardFile, const char* source);
void ConvertCardFileV3ToV4(const char* source, const char* destination);
void ConvertCardFileV4ToV3(const char* source, const char* destination);

}  // namespace ferrow
