// Answers the dialogs and message boxes that the code under test shows, as a user would: a
// watcher thread finds this process's dialog windows, remembers their texts and presses a button.
// Only this process's windows count: other test programs share the Wine desktop.
#pragma once
#include <windows.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// The visible dialog windows (class "#32770") of one process, in z-order.
std::vector<HWND> VisibleDialogsOf(DWORD processId);

class DialogWatch {
public:
    explicit DialogWatch(int command = IDOK);
    // Before pressing the button, types each text into the control of that id, in the dialogs
    // that have such a control.
    DialogWatch(int command, std::vector<std::pair<int, std::string>> typed);
    ~DialogWatch();

    // Every child window text of each dialog answered so far, as UTF-8, each followed by "|".
    std::vector<std::string> Seen();

    // The static texts (the message) of each dialog answered so far.
    std::vector<std::string> Texts();

private:
    void Watch();
    void Answer(HWND dialog);

    int command_;
    std::vector<std::pair<int, std::string>> typed_;
    std::atomic<bool> stop_{false};
    HWND lastAnswered_ = nullptr;
    std::mutex mutex_;
    std::vector<std::string> seen_;
    std::vector<std::string> messages_;
    std::thread thread_;
};
