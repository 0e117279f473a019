// Palm Desktop's user list from users.ini: [Users] Count, then one section [User<n>] per
// user number n (from 0) with Id, Name and Folder.
#include "userdata.h"
#include "standin_folder.h"
#include <stdio.h>
#include <string.h>
#include <string>

namespace {

std::string UsersPath() { return palm_standin::FilePath("users.ini"); }

int CountOfUsers() { return static_cast<int>(GetPrivateProfileIntA("Users", "Count", 0, UsersPath().c_str())); }

// The user number whose Id is this id, or -1.
int NumberOfId(DWORD id) {
    int count = CountOfUsers();
    for (int n = 0; n < count; ++n) {
        char section[16];
        snprintf(section, sizeof(section), "User%d", n);
        if (GetPrivateProfileIntA(section, "Id", 0, UsersPath().c_str()) == id) return n;
    }
    return -1;
}

int CopyOut(const std::string& text, char* buffer, int* size) {
    if (!buffer || !size || static_cast<int>(text.size()) >= *size) return USERDATA_BUFFER_SMALL;
    memcpy(buffer, text.c_str(), text.size() + 1);
    *size = static_cast<int>(text.size()) + 1;
    return 0;
}

int UserText(DWORD id, const char* key, char* buffer, int* size) {
    int n = NumberOfId(id);
    if (n < 0) return USERDATA_UNKNOWN_USER;
    char section[16], text[256] = "";
    snprintf(section, sizeof(section), "User%d", n);
    GetPrivateProfileStringA(section, key, "", text, sizeof(text), UsersPath().c_str());
    return CopyOut(text, buffer, size);
}

}  // namespace

extern "C" {

WORD WINAPI UserCount(void) { return static_cast<WORD>(CountOfUsers()); }

int WINAPI UserIdAt(WORD number, DWORD* id) {
    if (!id || number >= CountOfUsers()) return 0;
    char section[16];
    snprintf(section, sizeof(section), "User%d", number);
    int value = static_cast<int>(GetPrivateProfileIntA(section, "Id", 0, UsersPath().c_str()));
    if (value <= 0) return 0;
    *id = static_cast<DWORD>(value);
    return 1;
}

int WINAPI UserName(DWORD id, char* buffer, int* size) { return UserText(id, "Name", buffer, size); }

int WINAPI UserFolder(DWORD id, char* buffer, int* size) { return UserText(id, "Folder", buffer, size); }

int WINAPI DesktopFolder(char* buffer, int* size) { return CopyOut(palm_standin::Folder(), buffer, size); }

}  // extern "C"
