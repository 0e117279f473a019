// What the dispatcher needs of a PIM connector. Each connector is built on its own and
// registers itself here; a target without a registered connector does nothing.
#pragma once
#include "link_settings.h"
#include "cardrec.h"

namespace ferrow {

enum class ConnectorKind { PalmExchange, PalmDesktop, WindowsCe, Outlook, OutlookExpress, Act, Count };

class CLinkConnector {
public:
    virtual ~CLinkConnector() = default;
    // Sets Flags 5 on every card that the PIM already holds.
    virtual void MarkPresent(const char* cardDbPath, CardRecV4* cards, int count, const LinkSettings& settings) = 0;
    // Sends the cards whose Flags is below 2; 1 on success, 0 on failure.
    virtual int Export(const char* cardDbPath, CardRecV4* cards, int count, const LinkSettings& settings) = 0;
    // Appends the PIM's new entries with Flags 3 (growing the array through linkcards.h) and
    // marks the cards it found with 5; 1 on success, 0 on failure.
    virtual int Import(const char* cardDbPath, CardRecV4** cards, int* count, const LinkSettings& settings) = 0;
    // ACT! only: opens the chosen database; 1 when open.
    virtual int Open(const char* databasePath) { return 1; }
    // Windows CE only: widens the exchange file to UTF-16 and carries it to the device; the
    // transfer's status (0 done, 3 failed, anything else as the transfer gave it).
    virtual int HandOff(const char* exchangeFile, const char* unicodeFile) { return 3; }
};

// The connector registered for a kind, or null. Set returns the one it replaces.
CLinkConnector* FindConnector(ConnectorKind kind);
CLinkConnector* SetConnector(ConnectorKind kind, CLinkConnector* connector);

}  // namespace ferrow
