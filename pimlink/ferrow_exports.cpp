// The flat interface of the link library: each export hands over to its class and keeps
// every failure inside the library.
#include "ferrow.h"
#include "link_dispatcher.h"
#include "card_file_transfer.h"
#include "connector_set.h"

namespace {

// What a card-file export returns: whether every card it took reached the other file.
int TransferResult(bool complete) { return complete ? FERROW_TRANSFER_DONE : FERROW_TRANSFER_INCOMPLETE; }

}  // namespace

extern "C" {

FERROW_API int FerrowDBFile(const char* iniPath, const char* cardDbPath, CardRecV4** cards, int* count, int linkType,
                            int direction) {
    if (!iniPath || !cards || !count || *count < 0) return FERROW_NOTHING_DONE;
    ferrow::RegisterConnectors();
    return ferrow::CLinkDispatcher(iniPath, cardDbPath, cards, count).Run(linkType, direction);
}

FERROW_API int DuplicateDBFile(const char* source, const char* destination, int) {
    return TransferResult(source && destination && ferrow::DuplicateCardFile(source, destination));
}

FERROW_API int ExportDBFile(const char* source, const char* destination, int mode) {
    return TransferResult(source && destination && ferrow::ExportCardFile(source, destination, mode));
}

FERROW_API int ImportDBFile(const char* cardFile, const char* source, int) {
    return TransferResult(cardFile && source && ferrow::ImportCardFile(cardFile, source));
}

FERROW_API int ConvertV3ToV4(const char* source, const char* destination) {
    return TransferResult(source && destination && ferrow::ConvertCardFileV3ToV4(source, destination));
}

FERROW_API int ConvertV4ToV3(const char* source, const char* destination) {
    return TransferResult(source && destination && ferrow::ConvertCardFileV4ToV3(source, destination));
}

}  // extern "C"
