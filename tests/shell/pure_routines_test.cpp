// The shell's routines without windows, case by case: path forming, command-line splitting,
// stored layout lines and the file dialogs' modes.
#include <gtest/gtest.h>
#include "shell.h"
#include "handover.h"
#include "print.h"
#include "build_paths.h"
#include <string>
#include <vector>

TEST(PathForming, ReplaceFileExtensionChangesOnlyTheLastComponentsExtension) {
    struct Case {
        const char* path;
        BOOL replaced;
        const char* result;
    } cases[] = {
        {"C:\\Zem\\zem40.exe", TRUE, "C:\\Zem\\zem40.INI"},
        {"C:\\Zem\\cards.v2.mdb", TRUE, "C:\\Zem\\cards.v2.INI"},
        {"zem40.", TRUE, "zem40.INI"},
        {"C:\\Zem\\zem40", FALSE, "C:\\Zem\\zem40"},
        {"C:\\my.folder\\zem40", FALSE, "C:\\my.folder\\zem40"},
        {"C:/my.folder/zem40", FALSE, "C:/my.folder/zem40"},
        {"", FALSE, ""},
    };
    for (const Case& c : cases) {
        char path[MAX_PATH];
        lstrcpynA(path, c.path, sizeof path);
        EXPECT_EQ(ReplaceFileExtension(path, "INI"), c.replaced) << c.path;
        EXPECT_STREQ(path, c.result) << c.path;
    }
}

// A program file without an extension must never become its own settings file.
TEST(PathForming, ProgramSettingsPathAlwaysEndsInIni) {
    struct Case {
        const char* module;
        const char* settings;
    } cases[] = {
        {"C:\\Zem\\zem40.exe", "C:\\Zem\\zem40.INI"},
        {"C:\\Zem\\zem40", "C:\\Zem\\zem40.INI"},
        {"C:\\my.folder\\zem40", "C:\\my.folder\\zem40.INI"},
        {"", ""},
    };
    for (const Case& c : cases) {
        char path[MAX_PATH];
        FormProgramSettingsPath(c.module, path, sizeof path);
        EXPECT_STREQ(path, c.settings) << c.module;
    }
    // No room for the extension: nothing is cut short into another name.
    char small[14];
    FormProgramSettingsPath("C:\\Zem\\zem40", small, sizeof small);
    EXPECT_STREQ(small, "C:\\Zem\\zem40");
    // This program's own settings lie beside it, named after it.
    char own[MAX_PATH];
    GetSettingsPath(own, sizeof own);
    EXPECT_EQ(std::string(own), ProgramFolder() + "shell_test.INI");
}

TEST(CommandLine, SplitNextFileNameSplitsAtQuotesWhenThereAreAnyElseAtBlanks) {
    struct Case {
        const char* text;
        std::vector<std::string> names;
    } cases[] = {
        {"a.tif b.tif", {"a.tif", "b.tif"}},
        {"  a.tif   b.tif ", {"a.tif", "b.tif"}},
        {"C:\\My Cards\\a.tif", {"C:\\My", "Cards\\a.tif"}},
        {"\"C:\\My Cards\\a.tif\" \"C:\\x y.tif\"", {"C:\\My Cards\\a.tif", "C:\\x y.tif"}},
        // The first instance's own line after its opening quote was removed.
        {"C:\\a.tif\" C:\\b.tif", {"C:\\a.tif", "C:\\b.tif"}},
        // Three quoted names under a folder with a blank, their enclosing quotes removed: the
        // last one has no quote of its own left and still ends at the end of the text.
        {"C:\\a b\\x.tif\" \"C:\\a b\\y.jpg\" \"C:\\a b\\z.bmp",
         {"C:\\a b\\x.tif", "C:\\a b\\y.jpg", "C:\\a b\\z.bmp"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names;
        char name[MAX_PATH];
        char separator = FileNameSeparator(c.text);
        for (const char* rest = c.text; *rest;) {
            rest = SplitNextFileName(rest, separator, name, sizeof name);
            names.push_back(name);
        }
        EXPECT_EQ(names, c.names) << c.text;
    }
    // A name longer than the buffer is cut to it, and the rest of the text still follows.
    char name[6];
    const char* rest = SplitNextFileName("abcdefgh.tif next.tif", ' ', name, sizeof name);
    EXPECT_STREQ(name, "abcde");
    EXPECT_STREQ(rest, "next.tif");
}

TEST(CommandLine, RemoveEnclosingQuotesCutsTheClosingQuoteOnly) {
    struct Case {
        const char* text;
        const char* result;
    } cases[] = {
        {"\"a.tif\" b.tif", "a.tif\" b.tif"}, {"\"a.tif\"", "a.tif"}, {"a.tif", "a.tif"}, {"\"", ""}, {"", ""},
    };
    for (const Case& c : cases) {
        char text[64];
        lstrcpynA(text, c.text, sizeof text);
        RemoveEnclosingQuotes(text);
        EXPECT_STREQ(text, c.result) << c.text;
    }
}

// Stored paper layouts: comma-separated fields, blanks before a field skipped, numbers as
// signed decimals up to the first other character, missing fields and lines as 0.
TEST(LayoutLines, PaperLayoutLinesLoadFieldByField) {
    WriteSettingText("PaperLayout", NULL, NULL);
    WriteSettingText("PaperLayout", "Count", "3");
    WriteSettingText("PaperLayout", "@1", "3,Three Across,11000,8500,500,187,3,10,1000,2625,0,125,0,0,0");
    WriteSettingText("PaperLayout", "@2", " 7 ,  Name, with comma,-5,+6,abc,12x,1,2");
    LoadLayoutTable(0);
    ASSERT_EQ(App.Print.LayoutCount, 3);
    const PAPERLAYOUTRECORD* r = static_cast<const PAPERLAYOUTRECORD*>(GlobalLock(App.Print.LayoutTable));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r[0].Id, 3);
    EXPECT_STREQ(r[0].Name, "Three Across");
    EXPECT_EQ(r[0].PaperHeight, 11000);
    EXPECT_EQ(r[0].PaperWidth, 8500);
    EXPECT_EQ(r[0].TopMargin, 500);
    EXPECT_EQ(r[0].LeftMargin, 187);
    EXPECT_EQ(r[0].Columns, 3);
    EXPECT_EQ(r[0].Rows, 10);
    EXPECT_EQ(r[0].LabelHeight, 1000);
    EXPECT_EQ(r[0].LabelWidth, 2625);
    EXPECT_EQ(r[0].RowGap, 0);
    EXPECT_EQ(r[0].ColumnGap, 125);
    // A name holds no comma: what follows it shifts into the numbers.
    EXPECT_EQ(r[1].Id, 7);
    EXPECT_STREQ(r[1].Name, "Name");
    EXPECT_EQ(r[1].PaperHeight, 0);  // " with comma"
    EXPECT_EQ(r[1].PaperWidth, -5);
    EXPECT_EQ(r[1].TopMargin, 6);
    EXPECT_EQ(r[1].LeftMargin, 0);  // "abc"
    EXPECT_EQ(r[1].Columns, 12);    // "12x"
    EXPECT_EQ(r[1].Rows, 1);
    EXPECT_EQ(r[1].LabelHeight, 2);
    EXPECT_EQ(r[1].LabelWidth, 0);
    // A missing line is a record of zeros.
    EXPECT_EQ(r[2].Id, 0);
    EXPECT_STREQ(r[2].Name, "");
    EXPECT_EQ(r[2].PaperHeight, 0);
    GlobalUnlock(App.Print.LayoutTable);
    // The selected layout is applied: 11 by 8.5 inches.
    EXPECT_EQ(App.Print.SelectedLayout, 0);
    EXPECT_EQ(App.Print.PaperHeight, 11000);
    EXPECT_EQ(App.Print.PaperWidth, 8500);

    WriteSettingText("PaperLayout", "Count", "0");
    LoadLayoutTable(0);
    EXPECT_EQ(App.Print.SelectedLayout, LAYOUT_NONE);
    WriteSettingText("PaperLayout", NULL, NULL);
}

// Each dialog mode's record, as a user meets the dialog: title, filter list, start folder,
// the type chosen first and the extension appended to a typed name.
TEST(FileDialogModes, EachModeFillsTheRecordOfItsTable) {
    const DWORD save = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOTESTFILECREATE;
    const DWORD open = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    struct Case {
        int mode;
        const char* title;
        const char* firstFilter;
        DWORD flags;
        DWORD filterIndex;
        const char* extension;  // null: none
        bool cardFileFolder;
    } cases[] = {
        {1, "Open Images", "Images(*.tif;*.pcx;*.bmp;*.jpg)",
         OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY, 1, nullptr,
         false},
        {5, "Save Images", "TIFF Format", save, 3, nullptr, false},
        {6, "Save Card File", "Excel(*.xls)", save, 1, nullptr, false},
        {7, "Save template", "Nimbra Template", save, 1, "TPL", false},
        {8, "Open template", "Nimbra Template", open, 1, "TPL", false},
        {9, "Open card file", "Nimbra File(*.mdb)", open, 1, "MDB", true},
        {11, "Save Card File", "Nimbra File(*.mdb)", save, 1, "MDB", true},
        {12, "Open Card File", "Nimbra File(*.mdb)", open, 1, "MDB", true},
        // Delete takes several files at once, in a buffer that has room for them.
        {13, "Delete Card File", "Nimbra File(*.mdb)", open | OFN_EXPLORER | OFN_ALLOWMULTISELECT, 1, "MDB", true},
        {14, "Export Card File", "Excel(*.xls)", save, 1, nullptr, false},
    };
    // The remembered choices as a fresh start has them.
    App.Dialogs.OpenImageChoice = 0;
    App.Dialogs.SaveImageChoice = 2;
    App.Dialogs.ExportChoice = 0;
    lstrcpyA(App.Dialogs.ImageFolder, "C:\\images");
    lstrcpyA(App.Dialogs.CardFileFolder, "C:\\cards");
    HWND caller = reinterpret_cast<HWND>(0x1234);
    App.MainWindow = reinterpret_cast<HWND>(0x5678);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        OPENFILENAMEA record;
        memset(&record, 0xCD, sizeof record);
        char file[16] = "";
        SetupFileDialog(caller, c.mode, &record, file, nullptr);
        EXPECT_EQ(record.lStructSize, 76u);
        EXPECT_EQ(record.hwndOwner, c.mode == 1 ? caller : App.MainWindow);
        EXPECT_STREQ(record.lpstrTitle, c.title);
        EXPECT_STREQ(record.lpstrFilter, c.firstFilter);
        EXPECT_EQ(record.Flags, c.flags);
        EXPECT_EQ(record.nFilterIndex, c.filterIndex);
        EXPECT_EQ(record.nMaxFile, c.mode == 1 || c.mode == 13 ? 8192u : 256u);
        EXPECT_EQ(record.lpstrFile, file);
        EXPECT_STREQ(record.lpstrInitialDir, c.cardFileFolder ? "C:\\cards" : "C:\\images");
        if (c.extension) EXPECT_STREQ(record.lpstrDefExt, c.extension);
        else EXPECT_TRUE(record.lpstrDefExt == nullptr || record.lpstrDefExt[0] == 0);
        EXPECT_EQ(record.lpstrCustomFilter, nullptr);
        EXPECT_EQ(record.lpstrFileTitle, nullptr);
    }
    // The modes the table does not name leave the caller's record as it was.
    for (int mode : {2, 3, 4, 10}) {
        OPENFILENAMEA record, before;
        memset(&record, 0xCD, sizeof record);
        before = record;
        char file[16] = "";
        SetupFileDialog(caller, mode, &record, file, nullptr);
        EXPECT_EQ(memcmp(&record, &before, sizeof record), 0) << mode;
    }
    App.MainWindow = NULL;
}
