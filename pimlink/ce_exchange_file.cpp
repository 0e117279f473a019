#include "ce_exchange_file.h"
#include "card_converters.h"
#include "card_file_walk.h"
#include <windows.h>

namespace ferrow {

namespace {

bool WriteRecord(HANDLE file, const CardRecV4& card, const FieldMap& map) {
    char record[kCeExchangeRecordSize] = {};
    CardToCeRecord(record, card, map);
    DWORD written = 0;
    return WriteFile(file, record, sizeof(record), &written, nullptr) && written == sizeof(record);
}

}  // namespace

int WriteCeExchangeFile(const char* cardDbPath, const char* exchangeFile, const CardRecV4* cards, int count,
                        const FieldMap& map) {
    HANDLE file = CreateFileA(exchangeFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    bool written = true;
    if (cardDbPath) {
        written = ForEachCardToSend(cardDbPath,
                                    [&](CardRecV4& card) {
                                        if (written) written = WriteRecord(file, card, map);
                                    }) &&
                  written;
    } else {
        for (int i = 0; i < count && written; ++i)
            if (IsCardToSend(cards[i])) written = WriteRecord(file, cards[i], map);
    }
    return CloseHandle(file) && written ? 1 : 0;
}

}  // namespace ferrow
