#include "dialog_watch.h"
#include <cstring>
#include "window_text.h"

namespace {

struct DialogSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<DialogSearch*>(search);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof(cls));
    if (pid == s->processId && IsWindowVisible(window) && std::strcmp(cls, "#32770") == 0) s->found.push_back(window);
    return TRUE;
}

struct DialogTexts {
    std::string all;
    std::string message;
};

BOOL CALLBACK CollectText(HWND child, LPARAM out) {
    auto* texts = reinterpret_cast<DialogTexts*>(out);
    texts->all += WindowTextIn(child, CP_UTF8) + "|";
    char cls[32] = "";
    GetClassNameA(child, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") == 0) texts->message += WindowTextIn(child, CP_ACP);
    return TRUE;
}

}  // namespace

std::vector<HWND> VisibleDialogsOf(DWORD processId) {
    DialogSearch search{processId, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

DialogWatch::DialogWatch(int command) : command_(command), thread_([this] { Watch(); }) {}

DialogWatch::DialogWatch(int command, std::vector<std::pair<int, std::string>> typed)
    : command_(command), typed_(std::move(typed)), thread_([this] { Watch(); }) {}

DialogWatch::~DialogWatch() {
    stop_ = true;
    thread_.join();
}

std::vector<std::string> DialogWatch::Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

std::vector<std::string> DialogWatch::Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

void DialogWatch::Watch() {
    while (!stop_) {
        for (HWND dialog : VisibleDialogsOf(GetCurrentProcessId()))
            if (dialog != lastAnswered_) Answer(dialog);
        Sleep(20);
    }
}

void DialogWatch::Answer(HWND dialog) {
    lastAnswered_ = dialog;
    DialogTexts texts;
    EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        seen_.push_back(texts.all);
        messages_.push_back(texts.message);
    }
    for (const auto& typed : typed_)
        if (HWND control = GetDlgItem(dialog, typed.first))
            SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.second.c_str()),
                                SMTO_ABORTIFHUNG, 2000, nullptr);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(command_, BN_CLICKED), 0);
}
