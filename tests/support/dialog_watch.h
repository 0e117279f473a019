// Answers the dialogs and message boxes that the code under test shows, as a user would: a
// watcher thread finds this process's dialog windows, remembers their texts and presses a button.
// Only this process's windows count: other test programs share the Wine desktop.
#pragma once
#include <windows.h>
#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class DialogWatch {
public:
    explicit DialogWatch(int command = IDOK) : command_(command), thread_([this] { Watch(); }) {}
    ~DialogWatch() {
        stop_ = true;
        thread_.join();
    }

    // Every child window text of each dialog answered so far, as UTF-8, each followed by "|".
    std::vector<std::string> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

    // The static texts (the message) of each dialog answered so far.
    std::vector<std::string> Texts() {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }

private:
    void Watch() {
        while (!stop_) {
            EnumWindows(&DialogWatch::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(20);
        }
    }

    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        char cls[32] = "";
        GetClassNameA(window, cls, sizeof(cls));
        auto* watch = reinterpret_cast<DialogWatch*>(self);
        if (pid == GetCurrentProcessId() && IsWindowVisible(window) && std::strcmp(cls, "#32770") == 0 &&
            window != watch->lastAnswered_)
            watch->Answer(window);
        return TRUE;
    }

    struct DialogTexts {
        std::string all;
        std::string message;
    };

    static BOOL CALLBACK CollectText(HWND child, LPARAM out) {
        auto* texts = reinterpret_cast<DialogTexts*>(out);
        wchar_t text[512] = L"";
        GetWindowTextW(child, text, 512);
        char utf8[1536] = "";
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
        texts->all += std::string(utf8) + "|";
        char cls[32] = "", ansi[512] = "";
        GetClassNameA(child, cls, sizeof(cls));
        GetWindowTextA(child, ansi, sizeof(ansi));
        if (lstrcmpiA(cls, "Static") == 0 && ansi[0]) texts->message += ansi;
        return TRUE;
    }

    void Answer(HWND dialog) {
        lastAnswered_ = dialog;
        DialogTexts texts;
        EnumChildWindows(dialog, &DialogWatch::CollectText, reinterpret_cast<LPARAM>(&texts));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(texts.all);
            messages_.push_back(texts.message);
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(command_, BN_CLICKED), 0);
    }

    int command_;
    std::atomic<bool> stop_{false};
    HWND lastAnswered_ = nullptr;
    std::mutex mutex_;
    std::vector<std::string> seen_;
    std::vector<std::string> messages_;
    std::thread thread_;
};
