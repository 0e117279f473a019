// Removes a test's scratch folder with everything below it, read-only files included, so the
// next run starts from nothing.
#pragma once
#include <windows.h>
#include <string>

// `folder` ends with a backslash.
inline void RemoveFolderTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// A new empty folder "<temp>\<prefix>_<process>_<n>" for one test. Wine reuses process ids
// from run to run, so whatever an earlier, interrupted run left under that name goes first.
// The result has no closing backslash.
inline std::string MakeFreshTestFolder(const std::string& prefix) {
    static long counter = 0;
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + prefix + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                               std::to_string(InterlockedIncrement(&counter));
    RemoveFolderTree(folder + "\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
