// The Windows CE link: the cards written as a flat file of 2,552-byte records (code page 936
// texts), which the outside ZemUtil widens to UTF-16 and Zem2Wce carries to the device.
#pragma once
#include "link_connector.h"

namespace ferrow {

enum { kCeExchangeRecordSize = 2552 };

// Writes one record per card whose Flags is below 2, in array order, into a new (emptied)
// exchange file; with a card file path the cards come from that V4 card file instead.
// 1 when every record was written; 0 when the file cannot be created, a write falls short or
// the card file cannot be opened.
int WriteCeExchangeFile(const char* cardDbPath, const char* exchangeFile, const CardRecV4* cards, int count,
                        const FieldMap& map);

// Widens the exchange file into unicodeFile (ZemUtil's ConvertDatFileToUnicode, with the
// system's ANSI code page) and carries that to the device (Zem2Wce's _OvZem2Wce@4). Both
// libraries are loaded for the call only. The transfer's status: 0 done, 3 failed (also when
// a library or its entry is missing), any other value as the transfer gave it.
int HandOffCeExchangeFile(const char* exchangeFile, const char* unicodeFile);

class CWindowsCeConnector : public CLinkConnector {
public:
    void MarkPresent(const char*, CardRecV4*, int, const LinkSettings&) override {}
    int Export(const char* cardDbPath, CardRecV4* cards, int count, const LinkSettings& settings) override {
        return WriteCeExchangeFile(cardDbPath, settings.dbFileName, cards, count, settings.map);
    }
    int Import(const char*, CardRecV4**, int*, const LinkSettings&) override { return 0; }
    int HandOff(const char* exchangeFile, const char* unicodeFile) override {
        return HandOffCeExchangeFile(exchangeFile, unicodeFile);
    }
};

}  // namespace ferrow
