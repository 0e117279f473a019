#include "scratch_folder.h"
#include <windows.h>

std::string TempFolderPath(const std::string& name) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

void RemoveFolderTree(const std::string& folder) {
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

std::string MakeFreshTestFolder(const std::string& prefix) {
    static long counter = 0;
    const std::string folder = TempFolderPath(prefix + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                                              std::to_string(InterlockedIncrement(&counter)));
    RemoveFolderTree(folder + "\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

ScratchFolder::ScratchFolder(const std::string& prefix) : path_(MakeFreshTestFolder(prefix)) {}

ScratchFolder::~ScratchFolder() { RemoveFolderTree(path_ + "\\"); }
