// Where the benchmarks keep their files: beside the program, or in a folder of their own under
// the temporary folder; and the clearing of files by pattern between runs.
#pragma once
#include <windows.h>
#include <string>
#include "scratch_folder.h"

// The folder the running program lies in, without a closing backslash.
inline std::string ProgramFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string program = path;
    return program.substr(0, program.rfind('\\'));
}

// "<program folder>\<name>" (no closing backslash), made when missing.
inline std::string ProgramBenchFolder(const std::string& name) {
    const std::string folder = ProgramFolder() + "\\" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// "<temporary folder>\<name>\", made when missing; what an earlier run left there stays.
inline std::string TempBenchFolder(const std::string& name) {
    const std::string folder = TempFolderPath(name) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Deletes the files of `folder` (with its closing backslash) whose names match `pattern`.
inline void DeleteFilesMatching(const std::string& folder, const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do DeleteFileA((folder + found.cFileName).c_str());
    while (FindNextFileA(search, &found));
    FindClose(search);
}
