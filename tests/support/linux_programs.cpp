#include "linux_programs.h"
#include <windows.h>

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
    for (const std::string& a : arguments) commandLine += " \"" + a + "\"";
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
