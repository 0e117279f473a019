// The save dialog as a user meets it: it opens on an empty file name whatever the caller's
// buffer held, and a cancelled dialog reports no path.
#include <gtest/gtest.h>
#include "shell.h"
#include "dialog_driver.h"
#include "scratch_folder.h"
#include <dlgs.h>
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

namespace {

// Picks file type `item` (from 0) in the file dialog of that title, types the name and presses
// OK, as a user would.
void ChooseTypeAndName(const char* title, int item, const std::string& name, bool* seen) {
    HWND dialog = dialog_driver::WaitForDialog(GetCurrentProcessId(), title);
    if (!dialog) return;
    *seen = true;
    Sleep(300);
    // The dialog takes a file type when the choice is ended, as a click or Enter ends it.
    dialog_driver::ChooseEntry(dialog, cmb1, item);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, cmb1)));
    HWND box = GetDlgItem(dialog, cmb13);
    HWND edit = box ? FindWindowExA(box, nullptr, "Edit", nullptr) : GetDlgItem(dialog, edt1);
    SendMessageA(edit ? edit : box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

int StartItem(int mode) {
    OPENFILENAMEA record;
    char name[MAX_PATH] = "";
    SetupFileDialog(nullptr, mode, &record, name, nullptr);
    return static_cast<int>(record.nFilterIndex) - 1;
}

}  // namespace

// The export and Open Images dialogs start on the file type the user chose the last time.
TEST(FileDialogChoices, ExportAndOpenImagesRememberTheChosenType) {
    ScratchFolder folder("choices");
    const int kPlainText = 7, kBitmaps = 3;
    ASSERT_EQ(0, StartItem(14));
    bool seen = false;
    std::thread user([&] { ChooseTypeAndName("Export Card File", kPlainText, folder.File("cards.txt"), &seen); });
    char path[MAX_PATH];
    int chosen = ShowSaveFileDialog(NULL, path, 14);
    user.join();
    ASSERT_TRUE(seen);
    ASSERT_EQ(1, chosen);
    EXPECT_EQ(kPlainText, StartItem(14));
    EXPECT_EQ(kPlainText, StartItem(6)) << "both export dialogs share the choice";

    std::string image = folder.File("card.bmp");
    CloseHandle(CreateFileA(image.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_EQ(0, StartItem(1));
    seen = false;
    std::thread importer([&] { ChooseTypeAndName("Open Images", kBitmaps, image, &seen); });
    static char buffer[8192];
    chosen = ShowImportImagesDialog(NULL, buffer);
    importer.join();
    ASSERT_TRUE(seen);
    ASSERT_EQ(1, chosen);
    EXPECT_EQ(kBitmaps, StartItem(1));
}
