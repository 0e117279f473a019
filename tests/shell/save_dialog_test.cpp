// The save dialog as a user meets it: it opens on an empty file name whatever the caller's
// buffer held, and a cancelled dialog reports no path.
#include <gtest/gtest.h>
#include "shell.h"
#include "dialog_driver.h"
#include <string>
#include <thread>

namespace {

std::string FileNameShown(HWND dialog) {
    HWND box = GetDlgItem(dialog, 1148);  // the file name combo box of an explorer dialog
    HWND edit = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : GetDlgItem(dialog, 1152);
    if (!edit) edit = box;
    char text[MAX_PATH] = "?";
    if (edit)
        SendMessageTimeoutA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
    return text;
}

}  // namespace

TEST(SaveDialog, OpensOnAnEmptyFileNameAndCancelGivesNoPath) {
    std::string shown = "(no dialog)";
    std::thread user([&] {
        HWND dialog = dialog_driver::WaitForDialog(GetCurrentProcessId(), "Save Card File");
        if (!dialog) return;
        Sleep(300);  // the dialog fills its controls after it shows
        shown = FileNameShown(dialog);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    char path[MAX_PATH] = "C:\\Stale\\left from before.mdb";
    EXPECT_EQ(ShowSaveFileDialog(NULL, path, 11), 0);
    user.join();
    EXPECT_EQ(shown, "");
    EXPECT_STREQ(path, "");
}
