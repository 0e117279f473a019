// The handheld's contacts: the entry file (outside/entryfile) named by ZEM_POOM_FILE, each
// contact's values being its texts (UTF-8) by property number (1-44, the order of
// POCKET_OUTLOOK_CONTACT_PROPERTIES). Saved contacts are appended.
#pragma once
#include <string>
#include "entry_query.h"

namespace poom {

// The property number of a name, or 0.
unsigned long PropertyNumber(const std::string& name);

// The store's contacts, loaded when the application object is made.
entryfile::CIndexedEntries& ContactBook();

}  // namespace poom
