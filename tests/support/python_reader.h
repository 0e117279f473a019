// Runs one of the tests' Python readers (a Linux program, started from Wine through its Z:
// path) on a file the code under test wrote. Wine does not hand back a Linux program's exit
// code, so a reader answers through files: OUTPUT with its findings, or OUTPUT.err, each
// written whole under another name and then renamed.
#pragma once
#include <windows.h>
#include <string>

// The Linux path of a file, through Wine's own mapping of drives (the temp folder lies on C:,
// which is a link into the Wine prefix); empty when there is none.
inline std::string LinuxPath(const std::string& windowsPath) {
    using UnixName = char*(__cdecl*)(const wchar_t*);
    static auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH)) return std::string();
    char* name = unixName(wide);
    if (!name) return std::string();
    std::string path = name;
    HeapFree(GetProcessHeap(), 0, name);
    return path;
}

inline std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string content(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!content.empty()) ReadFile(file, &content[0], static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    return content;
}

// Runs "python3 script args... output" (args are Linux paths or plain words). Sets *findings
// to what the reader wrote and returns empty, or returns why there are none.
inline std::string RunPythonReader(const std::string& script, const std::string& args, const std::string& output,
                                   std::string* findings) {
    DeleteFileA(output.c_str());
    DeleteFileA((output + ".err").c_str());
    std::string command = "\"Z:\\usr\\bin\\python3\" \"" + script + "\" " + args + " \"" + LinuxPath(output) + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return "cannot start " + command + ": error " + std::to_string(GetLastError());
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int waited = 0; waited < 600; ++waited) {
        if (GetFileAttributesA((output + ".err").c_str()) != INVALID_FILE_ATTRIBUTES)
            return "the reader refused the file:\n" + ReadWholeFile(output + ".err");
        if (GetFileAttributesA(output.c_str()) != INVALID_FILE_ATTRIBUTES) {
            *findings = ReadWholeFile(output);
            return std::string();
        }
        Sleep(100);
    }
    return command + " gave no answer";
}
