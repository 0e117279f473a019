// The field map dialog, opened from the Synchronization page as a user opens it.
#include "prefer_fixture.h"
#include "gui_driver.h"
#include "property_list.h"
#include <vector>

using namespace dialog_driver;

namespace {

const int kSyncPage = 2;

std::string Zeros(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += ",0";
    return text;
}

class FieldMapDialog : public PreferFixture {
protected:
    // Opens the dialog for the active target (Palm unless set otherwise), runs script on it,
    // and leaves the sheet with Cancel: what the dialog wrote stays written.
    void RunFieldMap(const std::function<void(HWND dialog)>& script) {
        RunSheet([&](HWND sheet) {
            HWND sync = ShowPage(sheet, kSyncPage);
            ClickAndGoOn(sync, 3028);
            HWND dialog = WaitForDialog(GetCurrentProcessId(), "Field Name Mapping");
            if (!dialog) {
                ADD_FAILURE() << "no Field Name Mapping dialog";
                return;
            }
            script(dialog);
            if (IsWindow(dialog) && IsWindowVisible(dialog)) {
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                WaitUntilClosed(dialog);
            }
        });
    }

    void SetUp() override {
        PreferFixture::SetUp();
        Write("Preference", "ExportOptn", "310113");
        Write("Preference", "DefaultExport", "0");
    }
};

// What each row shows in its right-hand column.
std::vector<std::string> ShownValues(HWND dialog) {
    HWND list = GetDlgItem(dialog, 3030);
    std::vector<std::string> values;
    int rows = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < rows; ++i)
        values.push_back(reinterpret_cast<PropertyItem*>(SendMessageA(list, LB_GETITEMDATA, i, 0))->ValueText);
    return values;
}

// The in-place list keeps its entries' texts itself: each entry's item data points to one.
std::string EntryOf(HWND combo, int index) {
    LRESULT data = SendMessageA(combo, CB_GETITEMDATA, index, 0);
    return data == CB_ERR || !data ? std::string("<none>") : std::string(reinterpret_cast<const char*>(data));
}

void PressOk(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    WaitUntilClosed(dialog);
}

// Blanks before a number are skipped; a blank after one ends it like a comma, so " 2 ,3"
// holds an empty number between 2 and 3 (the link library reads the text the same way).
TEST_F(FieldMapDialog, ShowsTheMappedPalmFieldsAndWritesAll28Numbers) {
    struct Case {
        const char* text;
        std::vector<int> numbers;
    } cases[] = {{"1,2,3", {1, 2, 3}}, {" 1, 2 ,3", {1, 2, 0, 3}}, {"1,2,3,", {1, 2, 3}}};
    const char* const names[] = {"", "Last name", "First name", "company"};
    for (const Case& c : cases) {
        Write("Palm", "FieldMap", c.text);
        std::vector<std::string> shown;
        RunFieldMap([&](HWND dialog) {
            shown = ShownValues(dialog);
            PressOk(dialog);
        });
        std::vector<std::string> expected(28);
        std::string written;
        for (int i = 0; i < 28; ++i) {
            int n = i < static_cast<int>(c.numbers.size()) ? c.numbers[i] : 0;
            expected[i] = names[n];
            written += (i ? "," : "") + std::to_string(n);
        }
        EXPECT_EQ(shown, expected) << c.text;
        EXPECT_EQ(Read("Palm", "FieldMap"), written) << c.text;
    }
}

TEST_F(FieldMapDialog, PickingTheEmptyEntryUnmapsTheField) {
    Write("Palm", "FieldMap", "5,6,7");
    std::string nickname;
    RunFieldMap([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, 3030);
        ClickRow(list, 1);
        HWND combo = GetDlgItem(list, 712);
        ASSERT_TRUE(combo && IsWindowVisible(combo));
        EXPECT_EQ(EntryOf(combo, 0), "");
        EXPECT_EQ(EntryOf(combo, 6), "city");
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 6);
        Screenshot(GetDesktopWindow(), "field_map_palm_drop_down");
        ChooseEntry(combo, 0);
        nickname = ShownValues(dialog)[1];
        PressOk(dialog);
    });
    EXPECT_EQ(nickname, "");
    EXPECT_EQ(Read("Palm", "FieldMap"), "5,0,7" + Zeros(25));
}

TEST_F(FieldMapDialog, UseDefaultTakesTheDefaultMapOrKeepsWhatIsShown) {
    Write("Palm", "FieldMap", "1,2,3");
    Write("Palm", "DefFieldMap", "9,8");
    RunFieldMap([&](HWND dialog) {
        Click(dialog, 3029);
        EXPECT_EQ(ShownValues(dialog)[0], "country");
        EXPECT_EQ(ShownValues(dialog)[1], "zipCode");
        PressOk(dialog);
    });
    EXPECT_EQ(Read("Palm", "FieldMap"), "9,8" + Zeros(26));

    Write("Palm", "DefFieldMap", nullptr);
    RunFieldMap([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, 3030);
        ClickRow(list, 2);
        ChooseEntry(GetDlgItem(list, 712), 4);
        Click(dialog, 3029);
        EXPECT_EQ(ShownValues(dialog)[0], "country");
        EXPECT_EQ(ShownValues(dialog)[2], "title");
        PressOk(dialog);
    });
    EXPECT_EQ(Read("Palm", "FieldMap"), "9,8,4" + Zeros(25));
}

TEST_F(FieldMapDialog, CancelWritesNothing) {
    Write("Palm", "FieldMap", "1,2,3");
    RunFieldMap([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, 3030);
        ClickRow(list, 1);
        ChooseEntry(GetDlgItem(list, 712), 9);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitUntilClosed(dialog);
    });
    EXPECT_EQ(Read("Palm", "FieldMap"), "1,2,3");
}

// A number beyond the target's list shows nothing and comes back as it was; a target
// without a FieldMap starts unmapped.
TEST_F(FieldMapDialog, NumbersBeyondTheListAreKept) {
    Write("Palm", "FieldMap", "23,2,99");
    std::vector<std::string> shown;
    RunFieldMap([&](HWND dialog) {
        shown = ShownValues(dialog);
        PressOk(dialog);
    });
    EXPECT_EQ(shown[0], "");
    EXPECT_EQ(shown[1], "First name");
    EXPECT_EQ(shown[2], "");
    EXPECT_EQ(Read("Palm", "FieldMap"), "23,2,99" + Zeros(25));
}

TEST_F(FieldMapDialog, OutlookEntriesKeepTheirWholeText) {
    Write("Preference", "DefaultExport", "3");
    Write("OUTLOOK", "FieldMap", nullptr);
    std::vector<std::string> shown;
    std::string country;
    RunFieldMap([&](HWND dialog) {
        shown = ShownValues(dialog);
        HWND list = GetDlgItem(dialog, 3030);
        SendMessageA(list, LB_SETTOPINDEX, 19, 0);
        ClickRow(list, 19);
        HWND combo = GetDlgItem(list, 712);
        country = EntryOf(combo, 14);
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 48);
        ChooseEntry(combo, 14);
        Screenshot(GetDesktopWindow(), "field_map_outlook");
        PressOk(dialog);
    });
    EXPECT_EQ(shown, std::vector<std::string>(28));
    EXPECT_EQ(country, "Business-Country/Region");
    std::string expected = "0";
    for (int i = 1; i < 28; ++i) expected += i == 19 ? ",14" : ",0";
    EXPECT_EQ(Read("OUTLOOK", "FieldMap"), expected);
}

}  // namespace
