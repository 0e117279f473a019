// Each log entry becomes the line "<activity> <text>" of hotsync.log.
#include "hslog20.h"
#include "standin_folder.h"
#include <string>

extern "C" void WINAPI LogAddEntry(const char* text, int activity, int) {
    palm_standin::AppendLine("hotsync.log", std::to_string(activity) + " " + (text ? text : ""));
}
