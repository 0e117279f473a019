// The library's one entry: WABOpen.
#include "wab_objects.h"
#include <stdlib.h>

extern "C" __declspec(dllexport) HRESULT WINAPI WABOpen(LPADRBOOK* book, LPWABOBJECT* wabObject, LPWAB_PARAM, DWORD) {
    char value[8] = "";
    if (GetEnvironmentVariableA("ZEM_WAB_FAIL_OPEN", value, sizeof(value)) && atoi(value) == 1)
        return MAPI_E_NOT_INITIALIZED;
    if (!book || !wabObject) return MAPI_E_INVALID_PARAMETER;
    auto store = std::make_shared<wab::CStore>();
    store->Load();
    wab::OpenAddressBook(store, book, wabObject);
    return S_OK;
}
