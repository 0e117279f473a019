// The Windows Address Book interfaces as mingw-w64 declares them (wab.h itself does not build
// in C++: it pulls the MAPI and WAB definitions in twice).
#pragma once
#include <windows.h>
#include <wabdefs.h>
#include <wabcode.h>
#include <wabtags.h>
#include <wabiab.h>
#include <wabapi.h>
