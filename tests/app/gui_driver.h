// Drives zem40 as a user would: a fresh copy of the installed layout, the program started in
// it, its windows found by class and id, messages sent and posted, message boxes and file
// dialogs answered by caption and text, controls read, screenshots taken.
#pragma once
#include <windows.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include "file_bytes.h"

// How long a start or an end of the program may take before a wait gives up. Test programs
// run side by side, on machines that may run 32-bit code under an emulator: a start that takes
// a few seconds alone can take a minute there.
constexpr DWORD kSlowStartMs = 120000;

// A user's installation copied from the build's installed layout into a folder of its own.
// With TestRoads the program is its test build, which a test can walk down the restricted-user
// and scanner-button start-ups (ZEM40_TEST_RESTRICTED_USER, ZEM40_TEST_SCANNER_LAUNCH).
class Installation {
public:
    enum Program { Shipped, TestRoads };
    explicit Installation(const std::string& name, Program program = Shipped);
    const std::string& Home() const { return home_; }  // ends with a backslash
    std::string Path(const std::string& relative) const { return home_ + relative; }
    std::string SettingsPath() const { return home_ + "zem40.ini"; }
    std::string ReadSetting(const char* section, const char* key, const char* fallback = "") const;
    void WriteSetting(const char* section, const char* key, const char* value) const;
    // Polls the settings file for up to ten seconds until the key holds the value the program
    // is expected to write there; the value last read.
    std::string WaitForSetting(const char* section, const char* key, const std::string& expected) const;
    void EmptySettings() const;        // an empty zem40.ini
    static std::string BuildFolder();  // the build folder, with a backslash

private:
    std::string home_;
};

// A message box or dialog seen while the program ran.
struct SeenDialog {
    std::string Caption;
    std::string Text;
};

// Answers the program's message boxes and file dialogs from a thread of its own.
class DialogAnswerer {
public:
    explicit DialogAnswerer(DWORD processId);
    ~DialogAnswerer();
    // Presses the button for a message box whose text contains textPart.
    void AnswerMessage(const std::string& textPart, int buttonId);
    // Types the path into a file dialog of that title and presses OK (an empty path cancels);
    // with times above 0 only that many dialogs, so that a later rule answers the next one.
    void AnswerFileDialog(const std::string& title, const std::string& path, int times = 0);
    std::vector<SeenDialog> Seen();

private:
    struct Rule {
        std::string Match;
        int Button;
        bool FileDialog;
        std::string Path;
        int Remaining;  // dialogs still to answer; below 0 for every one
    };
    void Run();
    bool Handle(HWND dialog);
    void Answered(size_t rule);
    DWORD processId_;
    std::vector<Rule> rules_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> handled_;
    std::mutex lock_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// One run of zem40.exe in an installation.
class ProgramRun {
public:
    // The program starts in the installation's folder unless workingFolder names another.
    ProgramRun(const Installation& installation, const std::string& arguments,
               const std::vector<std::pair<std::string, std::string>>& environment = {},
               const std::string& workingFolder = "");
    ~ProgramRun();
    bool Started() const { return process_.hProcess != nullptr; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    bool Exited() const { return !process_.hProcess || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }
    // The main window of this process, or null after the timeout.
    HWND WaitForMainWindow(DWORD timeoutMs = kSlowStartMs);
    // Waits for the process to end while pumping this thread's messages; the exit code, or
    // -1 when it did not end in time (it is then killed).
    int WaitForExit(DWORD timeoutMs = kSlowStartMs);
    HWND MainWindow() const { return main_; }
    HWND Child(const char* className) const;

private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

std::string WindowText(HWND window);
// What the screen shows of a window, top row first.
struct WindowPixels {
    int Width = 0;
    int Height = 0;
    std::vector<DWORD> Pixels;  // 0x00RRGGBB
    COLORREF At(int x, int y) const {
        DWORD p = Pixels[static_cast<size_t>(y) * Width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};
WindowPixels CaptureWindow(HWND window);
// The command bar's drawn separator lines (its dark line, RGB 100, 100, 100, from 3 pixels
// below the top to 7 above the bottom) between two x positions of the bar; toX -1 is its end.
int CommandBarSeparatorsBetween(HWND bar, int fromX, int toX = -1);
// A child's left and right edges in its parent's client coordinates.
int LeftInParent(HWND child);
int RightInParent(HWND child);
// Waits until the screen shows the window drawn: its pending paints done, every visible control
// showing more than one colour, and two captures in a row alike. False after the time.
bool WaitUntilDrawn(HWND window, DWORD timeoutMs = 60000);
// Saves the window's screen area as a PNG (through ImageMagick) or BMP; returns the path.
std::string SaveScreenshot(HWND window, const std::string& name);
std::string SaveScreenshot(const WindowPixels& shot, const std::string& name);
// Pumps this thread's messages for the given time.
void PumpMessages(DWORD ms);
