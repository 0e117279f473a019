// The program state that the shell's routines expect before any test calls them: the instance
// whose resources (strings, dialogs) they load.
#include <gtest/gtest.h>
#include "shell.h"
#include "resource.h"

namespace {

class ShellEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        App.Instance = GetModuleHandleA(nullptr);
        LoadStringA(App.Instance, IDS_PRODUCT_TITLE, App.ProductTitle, sizeof App.ProductTitle);
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ShellEnvironment);

}  // namespace
