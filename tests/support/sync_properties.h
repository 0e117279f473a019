// The sync properties record that a HotSync manager hands to a conduit's OpenConduit, for the
// programs that call a conduit as the manager does.
#pragma once
#include <string.h>

// The record for a run of sync `type` on the handheld's "AddressDB": the type at offset 0, a
// pointer to the database's name at 772. One record, made again at each call.
inline const char* SyncProperties(int type) {
    static char properties[1024];
    static const char kName[] = "AddressDB";
    const char* name = kName;
    memset(properties, 0, sizeof(properties));
    memcpy(properties, &type, 4);
    memcpy(properties + 772, &name, sizeof(name));
    return properties;
}
