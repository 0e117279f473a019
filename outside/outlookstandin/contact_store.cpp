#include "contact_store.h"
#include <windows.h>

namespace outlook {

void LoadContacts(entryfile::CIndexedEntries* items) {
    char path[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("ZEM_OUTLOOK_FILE", path, sizeof(path));
    items->Load(length && length < sizeof(path) ? path : "");
}

}  // namespace outlook
