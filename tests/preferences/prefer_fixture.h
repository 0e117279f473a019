// A settings file and a Palm stand-in folder of the test's own, ZemPrefer loaded by name, and
// a driver thread that works the library's dialogs while the test thread waits in the export.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <thread>
#include "dialog_driver.h"
#include "dll_module.h"
#include "gui_driver.h"
#include "scratch_folder.h"

typedef int(__cdecl* ShowPreferDlgFn)(const char*);
typedef int(__cdecl* ShowExportMenuFn)(HWND, const char*, int*);

// A screenshot once the screen shows the window drawn with what the driver changed.
inline void Screenshot(HWND window, const std::string& name) {
    EXPECT_TRUE(WaitUntilDrawn(window)) << name;
    SaveScreenshot(window, name);
}

class PreferFixture : public ::testing::Test {
protected:
    PreferFixture() : library_("ZemPrefer.dll") {}

    void SetUp() override {
        ASSERT_TRUE(library_.loaded());
        showPreferDlg_ = library_.require<ShowPreferDlgFn>("ShowPreferDlg");
        showExportMenu_ = library_.require<ShowExportMenuFn>("ShowExportMenu");
        folder_ = MakeFreshTestFolder("prefer") + "\\";
        standIns_ = folder_ + "palm\\";
        CreateDirectoryA(standIns_.c_str(), nullptr);
        SetEnvironmentVariableA("PALM_STANDIN_DIR", standIns_.c_str());
        SetEnvironmentVariableA("CONDMGR_FAIL", nullptr);
        ini_ = folder_ + "zem40.ini";
    }

    void TearDown() override {
        SetEnvironmentVariableA("CONDMGR_FAIL", nullptr);
        RemoveFolderTree(folder_);
    }

    const char* Ini() const { return ini_.c_str(); }
    void Write(const char* section, const char* key, const char* value) const {
        WritePrivateProfileStringA(section, key, value, ini_.c_str());
    }
    std::string Read(const char* section, const char* key, const std::string& file = std::string()) const {
        char text[1024] = "";
        GetPrivateProfileStringA(section, key, "<none>", text, sizeof(text),
                                 file.empty() ? ini_.c_str() : file.c_str());
        return text;
    }
    std::string StandInFile(const char* name) const { return standIns_ + name; }
    std::string LibraryFolder() const {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(library_.handle(), path, sizeof(path));
        std::string text = path;
        return text.substr(0, text.rfind('\\') + 1);
    }

    // Runs ShowPreferDlg here while script works the sheet; whatever the script leaves open
    // is cancelled, so the test never hangs in the dialog.
    void RunSheet(const std::function<void(HWND sheet)>& script) {
        std::thread driver([&] {
            HWND sheet = dialog_driver::WaitForDialog(GetCurrentProcessId(), "Preferences");
            if (!sheet) {
                ADD_FAILURE() << "no Preferences sheet";
                return;
            }
            script(sheet);
            if (IsWindow(sheet) && IsWindowVisible(sheet)) dialog_driver::PressSheetButton(sheet, PSBTN_CANCEL);
        });
        EXPECT_EQ(showPreferDlg_(Ini()), 0);
        driver.join();
    }

    ShowPreferDlgFn showPreferDlg_ = nullptr;
    ShowExportMenuFn showExportMenu_ = nullptr;

private:
    DllModule library_;
    std::string folder_, standIns_, ini_;
};
