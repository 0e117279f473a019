// Carries a file to the "device": a folder named by the environment.
#include <windows.h>
#include <string.h>
#include <string>

namespace {

enum : short { kDone = 0, kStatusOne = 1, kFailed = 3 };

std::string Environment(const char* name) {
    char value[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
    return length && length < sizeof(value) ? std::string(value) : std::string();
}

}  // namespace

extern "C" __declspec(dllexport) short __stdcall OvZem2Wce(const char* path) {
    if (Environment("ZEM_WCE_STATUS_ONE") == "1") return kStatusOne;
    std::string device = Environment("ZEM_WCE_DEVICE");
    if (device.empty() || !path) return kFailed;
    if (device.back() != '\\') device += '\\';
    std::string documents = device + "My Documents\\";
    DWORD attributes = GetFileAttributesA(documents.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return kFailed;
    const char* slash = strrchr(path, '\\');
    std::string target = documents + (slash ? slash + 1 : path);
    return CopyFileA(path, target.c_str(), FALSE) ? kDone : kFailed;
}
