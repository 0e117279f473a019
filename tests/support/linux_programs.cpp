#include "linux_programs.h"
#include <windows.h>
#include <stdlib.h>

std::string UnixPath(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
        if (char* name = unixName(wide)) {
            std::string result(name);
            HeapFree(GetProcessHeap(), 0, name);
            return result;
        }
    }
    std::string path = windowsPath.size() > 2 && windowsPath[1] == ':' ? windowsPath.substr(2) : windowsPath;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

int RunLinuxProgram(const std::string& program, const std::vector<std::string>& arguments) {
    std::string windowsProgram = "Z:" + program;
    for (char& c : windowsProgram)
        if (c == '/') c = '\\';
    std::string commandLine = "\"" + windowsProgram + "\"";
    // Quotes inside an argument are escaped as the Windows command line rules want.
    for (const std::string& a : arguments) {
        std::string quoted;
        for (char c : a) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
        commandLine += " \"" + quoted + "\"";
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

int RunShellCommand(const std::string& command) {
    char folder[MAX_PATH] = "", marker[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "sh", 0, marker);
    DeleteFileA(marker);
    const std::string unixMarker = UnixPath(marker);
    const std::string line =
        "(" + command + "); echo $? > '" + unixMarker + ".part' && mv '" + unixMarker + ".part' '" + unixMarker + "'";
    if (RunLinuxProgram("/bin/sh", {"-c", line}) != 0) return -1;
    for (int waited = 0; waited < 60000 && GetFileAttributesA(marker) == INVALID_FILE_ATTRIBUTES; waited += 20)
        Sleep(20);
    char code[16] = "";
    HANDLE file = CreateFileA(marker, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    DWORD got = 0;
    ReadFile(file, code, sizeof code - 1, &got, nullptr);
    CloseHandle(file);
    DeleteFileA(marker);
    return atoi(code);
}
