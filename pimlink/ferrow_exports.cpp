// The flat interface of the link library: each export hands over to its class and keeps
// every failure inside the library.
#include "ferrow.h"
#include "link_dispatcher.h"
#include "card_file_transfer.h"
#include "connector_set.h"

extern "C" {

FERROW_API int FerrowDBFile(const char* iniPath, const char* cardDbPath, CardRecV4** cards, int* count, int linkType,
                            int direction) {
    if (!iniPath || !cards || !count || *count < 0) return FERROW_NOTHING_DONE;
    ferrow::RegisterConnectors();
    return ferrow::CLinkDispatcher(iniPath, cardDbPath, cards, count).Run(linkType, direction);
}

FERROW_API int DuplicateDBFile(const char* source, const char* destination, int) {
    if (source && destination) ferrow::DuplicateCardFile(source, destination);
    return 0;
}

FERROW_API int ExportDBFile(const char* source, const char* destination, int mode) {
    if (source && destination) ferrow::ExportCardFile(source, destination, mode);
    return 0;
}

FERROW_API int ImportDBFile(const char* cardFile, const char* source, int) {
    if (cardFile && source) ferrow::ImportCardFile(cardFile, source);
    return 0;
}

FERROW_API int ConvertV3ToV4(const char* source, const char* destination) {
    if (source && destination) ferrow::ConvertCardFileV3ToV4(source, destination);
    return 0;
}

FERROW_API int ConvertV4ToV3(const char* source, const char* destination) {
    if (source && destination) ferrow::ConvertCardFileV4ToV3(source, destination);
    return 0;
}

}  // extern "C"
