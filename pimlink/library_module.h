// The module that holds this library's code and resources (Ferrow.dll, or the program a
// test links the classes into).
#pragma once
#include <windows.h>

namespace ferrow {

HMODULE LibraryModule();

}  // namespace ferrow
