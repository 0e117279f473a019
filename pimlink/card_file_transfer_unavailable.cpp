// Built only while the card database classes are not in the tree: the transfers then leave
// every card file untouched.
#include "card_file_transfer.h"

namespace ferrow {

const char kCardFileLocale[] = ";LANGID=0x0804;CP=936;COUNTRY=0";

void DuplicateCardFile(const char*, const char*) {}
void ExportCardFile(const char*, const char*, int) {}
void ImportCardFile(const char*, const char*) {}
void ConvertCardFileV3ToV4(const char*, const char*) {}
void ConvertCardFileV4ToV3(const char*, const char*) {}

}  // namespace ferrow
