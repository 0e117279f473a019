// The devices the source presents: [Devices] Count identities [Device0] ... of the state
// file, each with its manufacturer, family and product name, so that one source stands in
// for the scanner models the application tells apart.
#include "source.h"
#include "scanner_state.h"
#include <stdio.h>
#include <string.h>

int DeviceCount(void) {
    int n = ReadScannerInt("Devices", "Count", 1);
    return n < 1 ? 1 : n > 16 ? 16 : n;
}

void DeviceIdentity(int index, TwIdentity* identity) {
    char section[16];
    snprintf(section, sizeof section, "Device%d", index);
    memset(identity, 0, sizeof *identity);
    identity->Version.MajorNum = 1;
    identity->Version.MinorNum = 0;
    identity->Version.Language = TWLG_USA;
    identity->Version.Country = TWCY_USA;
    lstrcpynA(identity->Version.Info, "Virtual scanner 1.0", sizeof identity->Version.Info);
    identity->ProtocolMajor = TW_PROTOCOL_MAJOR;
    identity->ProtocolMinor = TW_PROTOCOL_MINOR;
    identity->SupportedGroups = TW_DG_CONTROL | TW_DG_IMAGE;
    ReadScannerText(section, "Manufacturer", "Virtual Devices", identity->Manufacturer, sizeof identity->Manufacturer);
    ReadScannerText(section, "ProductFamily", "Virtual Scanner", identity->ProductFamily,
                    sizeof identity->ProductFamily);
    char fallback[34];
    snprintf(fallback, sizeof fallback, "Virtual Scanner %d", index + 1);
    ReadScannerText(section, "ProductName", fallback, identity->ProductName, sizeof identity->ProductName);
}

// An empty name opens the first device, as the manager's default.
int FindDevice(const char* productName) {
    if (!productName[0]) return 0;
    TwIdentity identity;
    for (int i = 0; i < DeviceCount(); ++i) {
        DeviceIdentity(i, &identity);
        if (strcmp(identity.ProductName, productName) == 0) return i;
    }
    return -1;
}

// The manager asks for identities until one repeats: each call gives the next device, and
// after the last the first again.
uint16_t NextIdentity(TwIdentity* identity) {
    static int next;
    uint32_t id = identity->Id;
    DeviceIdentity(next % DeviceCount(), identity);
    identity->Id = id;
    next = (next + 1) % DeviceCount();
    return TWRC_SUCCESS;
}
