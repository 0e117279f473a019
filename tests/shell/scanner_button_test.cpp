// The card scanner's button through the driver libraries: the entry points are called with the
// convention the drivers export them with, and only the driver of the detected model is asked.
#include <gtest/gtest.h>
#include "shell.h"
#include "dll_module.h"

namespace {

typedef void (*SetDriverAnswerFn)(int answer, BYTE status);
typedef int (*DriverCallsFn)(void);

class ScannerButton : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(driver_.loaded());
        setAnswer_ = driver_.require<SetDriverAnswerFn>("SetDriverAnswer");
        calls_ = driver_.require<DriverCallsFn>("DriverCalls");
        ASSERT_TRUE(setAnswer_ && calls_);
    }
    void TearDown() override {
        App.A8100Driver = App.ScanLDriver = NULL;
        App.SyscanScanner = App.DynaCardReader = 0;
    }
    DllModule driver_{"scanner_driver_fixture.dll"};
    SetDriverAnswerFn setAnswer_ = nullptr;
    DriverCallsFn calls_ = nullptr;
};

}  // namespace

TEST_F(ScannerButton, ScannerButtonAnswersThroughTheDriverOfTheDetectedModel) {
    struct Case {
        const char* name;
        bool syscan, dyna;
        int answer;
        BYTE status;
        int pressed;
        int calls;
    } cases[] = {
        {"A8100 button on", true, false, 1, 0, 1, 1},
        {"A8100 button off", true, false, 0, 1, 0, 1},
        {"SCANL answered with a card", false, true, 1, 1, 1, 1},
        {"SCANL answered without a card", false, true, 1, 0, 0, 1},
        {"SCANL did not answer", false, true, 0, 1, 0, 1},
        {"both models: only A8100 is asked", true, true, 0, 1, 0, 1},
        {"no model detected: no driver is asked", false, false, 1, 1, 0, 0},
    };
    for (const Case& c : cases) {
        App.A8100Driver = App.ScanLDriver = driver_.handle();
        App.SyscanScanner = c.syscan;
        App.DynaCardReader = c.dyna;
        // Called many times in a row: a caller that cleaned the stack itself after the driver
        // did would be thrown off its return address or its status byte at once.
        for (int i = 0; i < 50; ++i) {
            setAnswer_(c.answer, c.status);
            EXPECT_EQ(IsCardScannerButtonPressed(), c.pressed) << c.name;
            EXPECT_EQ(calls_(), c.calls) << c.name;
        }
    }
}

TEST_F(ScannerButton, ADriverWithoutTheEntryPointIsNotAsked) {
    HMODULE other = GetModuleHandleA("kernel32.dll");
    App.A8100Driver = other;
    App.SyscanScanner = 1;
    EXPECT_EQ(IsCardScannerButtonPressed(), 0);
    App.SyscanScanner = 0;
    App.ScanLDriver = other;
    App.DynaCardReader = 1;
    EXPECT_EQ(IsCardScannerButtonPressed(), 0);
}
