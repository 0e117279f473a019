// The store's objects: the application, the contacts folder, its item collection and contacts.
#pragma once
#include "pocket_outlook.h"

namespace poom {

// A new application object with one reference; its contacts are (re)read from the file.
IPOutlookApp* NewApplication();

// Objects alive in the library (DllCanUnloadNow).
LONG LiveObjects();

}  // namespace poom
