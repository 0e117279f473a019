// Which HotSync conduit serves the handheld's address book (creator 'addr'), and putting
// ZemSync or the Palm Address Book conduit in that place, through the conduit manager.
#pragma once

enum ConduitState {
    CONDUIT_UNKNOWN = 0,  // no usable conduit manager, no 'addr' conduit, or its file unreadable
    CONDUIT_ZEMSYNC = 1,  // ZemSync.DLL serves 'addr'
    CONDUIT_OTHER = 2,    // another conduit file serves 'addr'
};

// The registration state; 0 without the conduit manager or with any of its calls missing.
int GetZemConduitState();

// Makes ZemSync (useZemSync) or the Address Book conduit serve 'addr'. 1 when an 'addr'
// conduit existed and is now, or already was, the wanted one, or could not be removed; 0
// when none existed before (a fresh install included), installing failed, or there is no
// usable conduit manager. Only after 1 should the HotSync manager be asked to reload.
int RegisterZemConduit(bool useZemSync);

// Asks the HotSync manager to take up a changed registration; nothing without its library.
void ReloadHotSyncConduits();
