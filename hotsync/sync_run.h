// One HotSync run of the conduit: the handheld's "AddressDB" against the exchange card
// database in the conduit's folder, in the direction the sync type gives.
#pragma once
#include <string>
#include "palm_field_map.h"
#include "sync_libraries.h"

enum SyncType { SYNC_BOTH = 0, SYNC_HANDHELD_OVERWRITES = 2, SYNC_DESKTOP_OVERWRITES = 3, SYNC_DO_NOTHING = 6 };

// Offsets in the sync properties record that the HotSync manager passes.
#define SYNC_PROPS_TYPE    0
#define SYNC_PROPS_DB_NAME 772

#define SYNC_ERR_MEMORY 4106

// Runs one HotSync for the sync properties; gives the run's result.
int RunHotSync(const std::string& folder, const char* properties, PalmFieldMaps* maps);
