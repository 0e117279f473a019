// The contacts folder's items: the entry file (outside/entryfile) named by ZEM_OUTLOOK_FILE,
// an entry's kind being the item's Class (40 contact, 69 distribution list) and its values the
// text properties by dispatch id. Read when the application object is made; a saved new item
// is appended. Finds go through an index per property.
#pragma once
#include "entry_query.h"

namespace outlook {

using Item = entryfile::Entry;
enum { kContactClass = 40 };

// The folder's items, loaded from the file that ZEM_OUTLOOK_FILE names.
void LoadContacts(entryfile::CIndexedEntries* items);

}  // namespace outlook
