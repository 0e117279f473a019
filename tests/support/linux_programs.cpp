#include "linux_programs.h"
#include <windows.h>
#include <stdlib.h>

namespace {

// Starts a Linux program and returns at once. Wine runs it outside its own processes and hands
// back no process handle, only a thread handle value left over from an earlier start of this
// process: closing that would close another object of this process (a running program's
// handle, whose end would then never be seen). Nothing is closed unless a process came back.
bool StartLinuxProgram(const std::string& program, const std::vector<std::string>& arguments) {
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
        return false;
    if (process.hProcess) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return true;
}

// One word for the shell, whatever it holds.
std::string ShellWord(const std::string& text) {
    std::string word = "'";
    for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

}  // namespace

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
    std::string command = ShellWord(program);
    for (const std::string& a : arguments) command += " " + ShellWord(a);
    return RunShellCommand(command);
}

int RunShellCommand(const std::string& command) {
    char folder[MAX_PATH] = "", marker[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "sh", 0, marker);
    DeleteFileA(marker);
    const std::string unixMarker = UnixPath(marker);
    const std::string line =
        "(" + command + "); echo $? > '" + unixMarker + ".part' && mv '" + unixMarker + ".part' '" + unixMarker + "'";
    if (!StartLinuxProgram("/bin/sh", {"-c", line})) return -1;
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
