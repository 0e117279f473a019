// The module that holds this library's code and resources (Ferrow.dll, or the program a
// test links the classes into).
#pragma once
#include <windows.h>

namespace ferrow {

HMODULE LibraryModule();

// Shows one of the library's texts (by string id) in a message box with an OK button.
void ShowLibraryMessage(UINT stringId);

}  // namespace ferrow
