// Where a test finds the build's own files: the test program's folder, and the Windows form
// of a path that CMake gives in its Linux form (a build folder lies on drive Z:).
#pragma once
#include <windows.h>
#include <string>

inline std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

inline std::string WindowsPathOf(const std::string& linuxPath) {
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}
