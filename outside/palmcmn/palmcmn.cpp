// There are no language libraries here: the caller's own resources serve, and each call
// leaves a line in palmcmn.log.
#include "palmcmn.h"
#include "standin_folder.h"
#include <string>

extern "C" HINSTANCE WINAPI LoadLanguageResources(const char* library, HINSTANCE caller, int* status) {
    palm_standin::AppendLine("palmcmn.log", std::string("2 ") + (library ? library : ""));
    if (status) *status = 0;
    return caller;
}

extern "C" void WINAPI FreeLanguageResources(HINSTANCE, HINSTANCE) { palm_standin::AppendLine("palmcmn.log", "3"); }
