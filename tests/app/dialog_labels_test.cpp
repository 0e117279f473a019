// Every dialog of zem40 and of its libraries ZemPrefer, ZemSync and Reglyph, created from its
// resource as the dialog manager creates it, in the fonts the Wine prefix resolves the template's
// face to: no label, check box, radio button, group box or push button text may need more room
// than its control has, and the faces have the metrics the templates were laid out in. Each
// dialog is kept as a screenshot.
#include <gtest/gtest.h>
#include "gui_driver.h"
#include "label_fit.h"
#include <commctrl.h>
#include <string>

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct Walk {
    std::string Module;
    HMODULE Library;
    HWND Parent;
    int Dialogs = 0, Labels = 0;
    std::vector<LabelCut> Cuts;
};

std::string ResourceName(LPCSTR name) {
    return IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<UINT_PTR>(name)) : std::string(name);
}

// Creates the dialog from its template (a child dialog inside a parent of its own), checks
// every control and keeps a screenshot.
BOOL CALLBACK CheckDialog(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
    (void)type;
    Walk* walk = reinterpret_cast<Walk*>(param);
    HRSRC found = FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_DIALOG));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATEA>(LockResource(loaded)) : nullptr;
    if (!dialogTemplate) return TRUE;
    std::string id = walk->Module + " dialog " + ResourceName(name);
    HWND dialog = CreateDialogIndirectParamA(module, dialogTemplate, walk->Parent, QuietDialogProc, 0);
    EXPECT_NE(dialog, nullptr) << id;
    if (!dialog) return TRUE;
    ++walk->Dialogs;
    walk->Labels += CheckChildLabels(dialog, id, &walk->Cuts);
    if (GetWindowLongA(dialog, GWL_STYLE) & WS_CHILD) {
        RECT r;
        GetWindowRect(dialog, &r);
        SetWindowPos(walk->Parent, HWND_TOPMOST, 0, 0, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
    } else {
        SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    }
    ShowWindow(dialog, SW_SHOWNOACTIVATE);
    UpdateWindow(dialog);
    PumpMessages(300);
    SaveScreenshot(dialog, "dialog-" + walk->Module + "-" + ResourceName(name));
    ShowWindow(walk->Parent, SW_HIDE);
    DestroyWindow(dialog);
    return TRUE;
}

Walk WalkDialogs(const std::string& file) {
    Walk walk;
    walk.Module = file.substr(0, file.find('.'));
    walk.Library =
        LoadLibraryExA((Installation::BuildFolder() + "bin\\" + file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    walk.Parent = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    if (walk.Library)
        EnumResourceNamesA(walk.Library, reinterpret_cast<LPCSTR>(RT_DIALOG), CheckDialog,
                           reinterpret_cast<LONG_PTR>(&walk));
    DestroyWindow(walk.Parent);
    if (walk.Library) FreeLibrary(walk.Library);
    return walk;
}

}  // namespace

TEST(DialogLabels, NoLabelOfAnyDialogIsCut) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // The dialogs whose resources the program and the libraries carry, at least.
    const struct {
        const char* File;
        int Dialogs;
    } modules[] = {{"zem40.exe", 12}, {"ZemPrefer.dll", 4}, {"ZemSync.DLL", 1}, {"Reglyph.dll", 3}};
    for (const auto& module : modules) {
        Walk walk = WalkDialogs(module.File);
        EXPECT_NE(walk.Library, nullptr) << module.File;
        EXPECT_GE(walk.Dialogs, module.Dialogs) << module.File;
        EXPECT_GT(walk.Labels, 0) << module.File;
        EXPECT_TRUE(walk.Cuts.empty()) << DescribeCuts(walk.Cuts);
    }
}

// The templates were laid out for the faces they name: "MS Sans Serif" at 8 points (and
// "Helv", which Windows substitutes by it) gives dialog base units of 6 by 13 pixels at
// 96 dpi. A wider face in its place makes every dialog wider and cuts its labels.
TEST(DialogLabels, TheFacesTheTemplatesNameHaveTheirMetrics) {
    HMODULE program =
        LoadLibraryExA((Installation::BuildFolder() + "bin\\zem40.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HWND parent = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    const struct {
        int Template;
        const char* Face;
    } dialogs[] = {{1213, "MS Sans Serif"}, {1232, "Helv"}};
    for (const auto& d : dialogs) {
        HWND dialog = CreateDialogParamA(program, MAKEINTRESOURCEA(d.Template), parent, QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << d.Face;
        RECT units = {0, 0, 4, 8};
        MapDialogRect(dialog, &units);
        EXPECT_EQ(units.right, 6) << d.Face;
        EXPECT_EQ(units.bottom, 13) << d.Face;
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
    FreeLibrary(program);
}
