// A suite whose cases walk one program run in order: the run starts before the first case and
// ends after the last, and no case starts where the run could not.
#pragma once
#include <gtest/gtest.h>

// Walk makes its card files and starts the program in its constructor; it tells how far it got
// through `created`, `main` (the program's window) and `work` (its work area).
template <typename Walk>
class SharedRunTest : public testing::Test {
protected:
    static void SetUpTestSuite() { run_ = new Walk; }
    static void TearDownTestSuite() {
        delete run_;
        run_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(run_->created);
        ASSERT_NE(run_->main, nullptr);
        ASSERT_NE(run_->work, nullptr);
    }
    static Walk& Shared() { return *run_; }

private:
    static Walk* run_;
};

template <typename Walk>
Walk* SharedRunTest<Walk>::run_ = nullptr;
