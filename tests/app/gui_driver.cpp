#include "gui_driver.h"
#include "dialog_watch.h"
#include "file_bytes.h"
#include "linux_programs.h"
#include "scratch_folder.h"
#include <stdio.h>
#include <string.h>
#include <algorithm>

namespace {

std::string ModuleFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = strrchr(path, '\\');
    if (slash) slash[1] = 0;
    return path;
}

// Copies the installation's files; of the folders that hold a user's data (card files,
// images, thumbnails, temporary files) only the folders, as a fresh installation has them.
bool IsUserDataFolder(const std::string& name) {
    for (const char* folder : {"Database", "IMAGE", "thumb", "TVRKTEMP"})
        if (lstrcmpiA(name.c_str(), folder) == 0) return true;
    return false;
}

void CopyTree(const std::string& from, const std::string& to, bool withFiles = true) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + name + "\\", to + name + "\\", withFiles && !IsUserDataFolder(name));
        else if (withFiles) CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::string Installation::BuildFolder() {
    std::string bin = ModuleFolder();  // the build folder's bin folder
    std::string trimmed = bin.substr(0, bin.size() - 1);
    return trimmed.substr(0, trimmed.rfind('\\') + 1);
}

// Copies <build>\zem40\ to <build>\test-installs\<name>\ and points its settings there.
Installation::Installation(const std::string& name, Program program) {
    std::string build = BuildFolder();
    std::string source = build + "zem40\\";
    CreateDirectoryA((build + "test-installs").c_str(), nullptr);
    home_ = build + "test-installs\\" + name + "\\";
    RemoveFolderTree(home_);
    CopyTree(source, home_);
    // The settings as the build made them, not as a run of the installed program left them.
    std::string settings = ReadWholeFile(build + "app\\zem40.ini");
    ReplaceAll(settings, source, home_);
    WriteWholeFile(home_ + "zem40.ini", settings);
    if (program == TestRoads) CopyFileA((build + "testroads\\zem40.exe").c_str(), (home_ + "zem40.exe").c_str(), FALSE);
}

std::string Installation::ReadSetting(const char* section, const char* key, const char* fallback) const {
    char value[1024];
    GetPrivateProfileStringA(section, key, fallback, value, sizeof value, SettingsPath().c_str());
    return value;
}

void Installation::WriteSetting(const char* section, const char* key, const char* value) const {
    WritePrivateProfileStringA(section, key, value, SettingsPath().c_str());
}

std::string Installation::WaitForSetting(const char* section, const char* key, const std::string& expected) const {
    std::string value;
    for (int i = 0; i < 100; ++i) {
        value = ReadSetting(section, key);
        if (value == expected) break;
        Sleep(100);
    }
    return value;
}

void Installation::EmptySettings() const { WriteWholeFile(SettingsPath(), ""); }

DialogAnswerer::DialogAnswerer(DWORD processId) : processId_(processId), thread_([this] { Run(); }) {}

DialogAnswerer::~DialogAnswerer() {
    stop_ = true;
    thread_.join();
}

void DialogAnswerer::AnswerMessage(const std::string& textPart, int buttonId) {
    std::lock_guard<std::mutex> guard(lock_);
    rules_.push_back({textPart, buttonId, false, "", -1});
}

void DialogAnswerer::AnswerFileDialog(const std::string& title, const std::string& path, int times) {
    std::lock_guard<std::mutex> guard(lock_);
    rules_.push_back({title, path.empty() ? IDCANCEL : IDOK, true, path, times > 0 ? times : -1});
}

void DialogAnswerer::Answered(size_t rule) {
    std::lock_guard<std::mutex> guard(lock_);
    if (rules_[rule].Remaining > 0) --rules_[rule].Remaining;
}

std::vector<SeenDialog> DialogAnswerer::Seen() {
    std::lock_guard<std::mutex> guard(lock_);
    return seen_;
}

void DialogAnswerer::Run() {
    while (!stop_) {
        for (HWND window : VisibleDialogsOf(processId_)) {
            if (std::find(handled_.begin(), handled_.end(), window) != handled_.end()) continue;
            if (Handle(window)) handled_.push_back(window);
        }
        Sleep(50);
    }
}

static HWND FindFileNameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, 1148);  // the file name combo box of an explorer dialog
    if (box) {
        HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
        return edit ? edit : box;
    }
    return GetDlgItem(dialog, 1152);
}

bool DialogAnswerer::Handle(HWND dialog) {
    SeenDialog seen{WindowText(dialog), WindowText(GetDlgItem(dialog, 0xFFFF))};
    Rule rule{};
    size_t ruleIndex = 0;
    bool matched = false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (size_t i = 0; i < rules_.size() && !matched; ++i) {
            const Rule& r = rules_[i];
            const std::string& subject = r.FileDialog ? seen.Caption : seen.Text;
            if (r.Remaining != 0 && subject.find(r.Match) != std::string::npos) {
                rule = r;
                ruleIndex = i;
                matched = true;
            }
        }
        seen_.push_back(seen);
    }
    if (!matched) return true;  // seen, left for the test to look at
    Sleep(200);
    if (rule.FileDialog && !rule.Path.empty()) {
        HWND edit = FindFileNameEdit(dialog);
        if (!edit) return false;
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rule.Path.c_str()));
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(rule.Button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, rule.Button)));
    if (rule.FileDialog) {
        // A file dialog that is still busy setting itself up ignores the button: try again.
        Sleep(1000);
        if (IsWindow(dialog) && IsWindowVisible(dialog)) {
            std::lock_guard<std::mutex> guard(lock_);
            seen_.pop_back();
            return false;
        }
    }
    Answered(ruleIndex);
    return true;
}

ProgramRun::ProgramRun(const Installation& installation, const std::string& arguments,
                       const std::vector<std::pair<std::string, std::string>>& environment,
                       const std::string& workingFolder) {
    for (const auto& variable : environment) SetEnvironmentVariableA(variable.first.c_str(), variable.second.c_str());
    std::string program = installation.Path("zem40.exe");
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string folder = workingFolder.empty() ? installation.Home() : workingFolder;
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &process_))
        process_ = {};
    for (const auto& variable : environment) SetEnvironmentVariableA(variable.first.c_str(), nullptr);
}

ProgramRun::~ProgramRun() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
}

struct MainWindowSearch {
    DWORD ProcessId;
    HWND Found;
};

static BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<MainWindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (pid == search->ProcessId && strcmp(className, "IMC_ZEM30_ENG") == 0 && IsWindowVisible(window)) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND ProgramRun::WaitForMainWindow(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        MainWindowSearch search{process_.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.Found) {
            main_ = search.Found;
            // The window shows before start-up has finished; a sent message is taken only
            // when the program next reads its queue, so the round trip waits for that on a
            // slow or busy machine as well as on a fast one.
            // A program held in its start-up (a test that holds the database load) answers
            // only once released: the round trip waits half a minute at most.
            SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs < 30000 ? timeoutMs : 30000, nullptr);
            PumpMessages(500);  // let start-up finish its first paint
            return main_;
        }
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
        PumpMessages(100);
    }
    return nullptr;
}

int ProgramRun::WaitForExit(DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        DWORD r = MsgWaitForMultipleObjects(1, &process_.hProcess, FALSE, 100, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process_.hProcess, &code);
            return static_cast<int>(code);
        }
        PumpMessages(0);
    }
    TerminateProcess(process_.hProcess, 98);
    return -1;
}

HWND ProgramRun::Child(const char* className) const {
    return main_ ? FindWindowExA(main_, nullptr, className, nullptr) : nullptr;
}

// Asked of the window's own thread, which may be slow to answer while test programs run side
// by side; a window that does not answer in time gives the text the system keeps for it.
std::string WindowText(HWND window) {
    if (!window) return "";
    char text[1024] = "";
    if (SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 20000,
                            nullptr))
        return text;
    wchar_t wide[1024] = L"";
    InternalGetWindowText(window, wide, 1024);
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

void PumpMessages(DWORD ms) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms) Sleep(10);
    } while (GetTickCount() - start < ms);
}

WindowPixels CaptureWindow(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    WindowPixels shot;
    shot.Width = r.right - r.left;
    shot.Height = r.bottom - r.top;
    shot.Pixels.assign(static_cast<size_t>(shot.Width) * shot.Height, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.Width, -shot.Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, shot.Width, shot.Height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        memcpy(shot.Pixels.data(), bits, shot.Pixels.size() * sizeof(DWORD));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

int CommandBarSeparatorsBetween(HWND bar, int fromX, int toX) {
    WindowPixels shot = CaptureWindow(bar);
    if (toX < 0 || toX > shot.Width) toX = shot.Width;
    int lines = 0;
    for (int x = std::max(fromX, 0); x < toX; ++x) {
        bool line = shot.Height > 10;
        for (int y = 3; line && y < shot.Height - 7; ++y) line = shot.At(x, y) == RGB(100, 100, 100);
        if (line) ++lines;
    }
    return lines;
}

static RECT RectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int LeftInParent(HWND child) { return RectInParent(child).left; }

int RightInParent(HWND child) { return RectInParent(child).right; }

static BOOL CALLBACK CollectVisibleChild(HWND child, LPARAM param) {
    if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

// Whether a control shows anything: a drawn control has at least its text, frame or picture
// beside its background; one not yet drawn is a single colour (or nothing) on the screen.
static bool ShowsMoreThanOneColour(HWND control) {
    WindowPixels shot = CaptureWindow(control);
    if (shot.Pixels.empty()) return true;  // no area to draw
    for (DWORD pixel : shot.Pixels)
        if (pixel != shot.Pixels[0]) return true;
    return false;
}

static bool EveryControlDrawn(HWND window) {
    if (window == GetDesktopWindow()) return true;  // top-level windows of other programs too
    std::vector<HWND> controls;
    EnumChildWindows(window, &CollectVisibleChild, reinterpret_cast<LPARAM>(&controls));
    for (HWND control : controls)
        if (!ShowsMoreThanOneColour(control)) return false;
    return true;
}

bool WaitUntilDrawn(HWND window, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    // Sent across threads: returns once the window's thread has painted what was pending (not
    // asked of the desktop, whose windows may belong to programs that do not answer).
    if (window != GetDesktopWindow()) RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::vector<DWORD> last;
    do {
        std::vector<DWORD> now = CaptureWindow(window).Pixels;
        if (!now.empty() && now == last && EveryControlDrawn(window)) return true;
        last = now;
        Sleep(100);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

std::string SaveScreenshot(HWND window, const std::string& name) { return SaveScreenshot(CaptureWindow(window), name); }

std::string SaveScreenshot(const WindowPixels& shot, const std::string& name) {
    std::string folder = Installation::BuildFolder() + "screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string bmp = folder + name + ".bmp";
    BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), shot.Width, -shot.Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD size = static_cast<DWORD>(shot.Pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + size), 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof header};
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(shot.Pixels.data()), size);
    WriteWholeFile(bmp, bytes);
    // ImageMagick on the host turns it into a PNG when it is there. The screen's fourth byte is
    // no alpha: read as one, most of the picture would be transparent.
    std::string png = folder + name + ".png";
    DeleteFileA(png.c_str());
    if (RunLinuxProgram("/usr/bin/convert", {UnixPath(bmp), "-alpha", "off", UnixPath(png)}) == 0 &&
        GetFileAttributesA(png.c_str()) != INVALID_FILE_ATTRIBUTES)
        return png;
    return bmp;
}
