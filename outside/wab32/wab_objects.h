// The address book's objects: the WAB object (MAPI memory), the address book, its one
// container (the personal address book), the container's contents table and its mail users.
// Every method the link library does not call answers MAPI_E_NO_SUPPORT.
#pragma once
#include <memory>
#include "wab_interfaces.h"
#include "wab_store.h"

namespace wab {

// A new address book over the store and the WAB object that goes with it, each with one
// reference for the caller.
void OpenAddressBook(std::shared_ptr<CStore> store, IAddrBook** book, IWABObject** wabObject);

}  // namespace wab
