// Answers the dialogs and message boxes that the code under test shows, as a user would: a
// watcher thread finds this process's dialog windows, remembers their texts and presses a button.
#pragma once
#include <windows.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DialogDismisser {
public:
    explicit DialogDismisser(int command) : command_(command), thread_([this] { Watch(); }) {}
    ~DialogDismisser() {
        stop_ = true;
        thread_.join();
    }

    // The texts of every dialog answered so far (caption and static texts, one string each).
    std::vector<std::string> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    void Watch() {
        while (!stop_) {
            EnumWindows(&DialogDismisser::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(50);
        }
    }

    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        char cls[32] = "";
        GetClassNameA(window, cls, sizeof(cls));
        if (pid == GetCurrentProcessId() && IsWindowVisible(window) && strcmp(cls, "#32770") == 0)
            reinterpret_cast<DialogDismisser*>(self)->Answer(window);
        return TRUE;
    }

    static BOOL CALLBACK CollectText(HWND child, LPARAM out) {
        wchar_t text[512] = L"";
        GetWindowTextW(child, text, 512);
        char utf8[1536] = "";
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
        *reinterpret_cast<std::string*>(out) += std::string(utf8) + "|";
        return TRUE;
    }

    void Answer(HWND dialog) {
        std::string texts;
        EnumChildWindows(dialog, &DialogDismisser::CollectText, reinterpret_cast<LPARAM>(&texts));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(texts);
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(command_, BN_CLICKED), 0);
        Sleep(200);
    }

    int command_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> seen_;
    std::thread thread_;
};
