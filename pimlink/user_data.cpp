#include "user_data.h"
#include <stdio.h>

namespace ferrow {

namespace {
const int kTextRoom = 256;
}

int CUserData::UserCount() {
    auto count = library_.Entry<UserCountFn>(MAKEINTRESOURCEA(USERDATA_COUNT));
    return count ? count() : 0;
}

bool CUserData::UserId(int user, DWORD* id) {
    auto idAt = library_.Entry<UserIdAtFn>(MAKEINTRESOURCEA(USERDATA_ID_AT));
    return idAt && idAt(static_cast<WORD>(user), id) > 0;
}

bool CUserData::AddressBookPath(DWORD id, char* path, size_t size) {
    auto desktop = library_.Entry<DesktopFolderFn>(MAKEINTRESOURCEA(USERDATA_DESKTOP_FOLDER));
    auto folder = library_.Entry<UserTextFn>(MAKEINTRESOURCEA(USERDATA_FOLDER));
    if (!desktop || !folder) return false;
    // The library need not terminate a text that fills its buffer: the last byte is ours.
    char desktopFolder[kTextRoom] = "", userFolder[kTextRoom] = "";
    int room = kTextRoom;
    if (desktop(desktopFolder, &room) != 0) return false;
    room = kTextRoom;
    if (folder(id, userFolder, &room) != 0) return false;
    desktopFolder[kTextRoom - 1] = userFolder[kTextRoom - 1] = '\0';
    int length = snprintf(path, size, "%s%s\\address\\address.dat", desktopFolder, userFolder);
    return length > 0 && static_cast<size_t>(length) < size;
}

}  // namespace ferrow
