// Tables kept as data resources (page geometry, field lists).
#include "shell.h"
#include <string.h>

int LoadRcDataResource(HINSTANCE module, int id, void* buffer, int size) {
    memset(buffer, 0, size);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(module, found) : NULL;
    const void* data = loaded ? LockResource(loaded) : NULL;
    if (!data) return 0;
    int available = (int)SizeofResource(module, found);
    memcpy(buffer, data, available < size ? available : size);
    return 1;
}
