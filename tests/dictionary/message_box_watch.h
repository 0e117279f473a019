// Answers the message boxes a call raises, as a user would press OK, and remembers their texts.
#pragma once
#include <windows.h>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MessageBoxWatch {
public:
    MessageBoxWatch() : thread_([this] { Run(); }) {}
    ~MessageBoxWatch() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::string> Texts() {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

private:
    void Run() {
        while (!stop_) {
            EnumWindows(&MessageBoxWatch::OnWindow, reinterpret_cast<LPARAM>(this));
            Sleep(20);
        }
    }
    static BOOL CALLBACK OnWindow(HWND window, LPARAM self) {
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        auto* watch = reinterpret_cast<MessageBoxWatch*>(self);
        if (std::string(className) == "#32770" && IsWindowVisible(window) && window != watch->lastAnswered_) {
            watch->lastAnswered_ = window;
            std::string text;
            EnumChildWindows(window, &MessageBoxWatch::OnChild, reinterpret_cast<LPARAM>(&text));
            {
                std::lock_guard<std::mutex> lock(watch->mutex_);
                watch->texts_.push_back(text);
            }
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }
    static BOOL CALLBACK OnChild(HWND child, LPARAM textOut) {
        char className[64] = "", text[256] = "";
        GetClassNameA(child, className, sizeof className);
        GetWindowTextA(child, text, sizeof text);
        if (lstrcmpiA(className, "Static") == 0 && text[0]) *reinterpret_cast<std::string*>(textOut) += text;
        return TRUE;
    }

    std::atomic<bool> stop_{false};
    HWND lastAnswered_ = nullptr;
    std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};
