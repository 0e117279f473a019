// Moving the cards of one card file into another: duplication, export, import and layout
// conversion share one sequence of steps and differ in layouts, record filter and conversion.
#pragma once

namespace ferrow {

// The locale string of every card file this library creates or compacts.
extern const char kCardFileLocale[];

// Each is true when both card files opened and every card it took was stored.
bool DuplicateCardFile(const char* source, const char* destination);
bool ExportCardFile(const char* source, const char* destination, int mode);
bool ImportCardFile(const char* cardFile, const char* source);
bool ConvertCardFileV3ToV4(const char* source, const char* destination);
bool ConvertCardFileV4ToV3(const char* source, const char* destination);

}  // namespace ferrow
