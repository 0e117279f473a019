// Palm Desktop's user library, loaded for one pass and called by ordinal, so that zem40 starts
// and runs without it.
#pragma once
#include <stddef.h>
#include "loaded_library.h"
#include "userdata.h"

namespace ferrow {

class CUserData {
public:
    CUserData() : library_(USERDATA_LIBRARY) {}

    bool Loaded() const { return library_.Loaded(); }
    // Ordinal 101; 0 without the library.
    int UserCount();
    // Ordinal 102: the id of user number `user`; false when the library is missing or the
    // number is unknown (a result of 0 or less).
    bool UserId(int user, DWORD* id);
    // The user's address book: Palm Desktop's folder (105) + the user's folder (104) +
    // "\address\address.dat". False when either is not given or the path would not fit.
    bool AddressBookPath(DWORD id, char* path, size_t size);

private:
    CLoadedLibrary library_;
};

}  // namespace ferrow
