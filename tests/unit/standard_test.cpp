// State-level checks of the standard keypad that the display alone does not show.
#include "standard/standard_window.h"

#include <gtest/gtest.h>

#include "app/application.h"
#include "app/invariants.h"

namespace calc {
namespace {

struct StandardFixture : ::testing::Test {
    MemoryPlatform platform;
    Application app{platform};
    void SetUp() override { app.Main(); }
    void Press(std::initializer_list<int> keys) {
        for (int k : keys) {
            app.Click(k);
            ASSERT_EQ(CheckInvariants(app), "");
        }
    }
    Module1& m() { return app.store(); }
};

TEST_F(StandardFixture, LoadingResetsTheFieldsButNotTheMemory) {
    EXPECT_EQ(m().blnStdNewNumber, -1);
    EXPECT_EQ(m().intPendingOp, -1);
    Press({5, 25, 1, 11, 2});  // 5 MS 1 + 2
    EXPECT_EQ(m().blnOpPending, -1);
    EXPECT_EQ(m().blnOperandTyped, -1);
    app.mnuScience_Click();
    app.mnuStandard_Click();
    EXPECT_EQ(m().blnOpPending, 0);
    EXPECT_EQ(m().intPendingOp, -1);
    EXPECT_EQ(m().dblAccumulator, 0);
    EXPECT_EQ(m().dblStdMemory, 5);
    EXPECT_EQ(app.Form1()->Text2(), "");  // the indicator starts empty whatever the memory holds
}

TEST_F(StandardFixture, ClearKeepsTheMemoryAndItsIndicator) {
    Press({7, 25, 1, 14, 0, 15});  // 7 MS 1 / 0 =
    EXPECT_TRUE(app.Locked());
    EXPECT_EQ(m().blnStdError, -1);
    Press({20});
    EXPECT_EQ(m().blnStdError, 0);
    EXPECT_EQ(m().blnStdNewNumber, -1);
    EXPECT_EQ(m().dblStdMemory, 7);
    EXPECT_EQ(app.Form1()->Text2(), "M");
    EXPECT_EQ(app.Display(), "0");
}

TEST_F(StandardFixture, AnErrorKeepsWhatTheKeyHadAlreadyChanged) {
    Press({1, 11, 0, 14});  // 1 + 0 /: the chain result 1 becomes the accumulator
    EXPECT_EQ(m().intPendingOp, 4);
    EXPECT_EQ(m().dblAccumulator, 1);
    Press({0, 15});  // 0 =: the operand was taken before the division failed
    EXPECT_EQ(m().dblOperand, 0);
    EXPECT_EQ(m().blnOperandTyped, 0);
    EXPECT_EQ(m().blnOpPending, -1);  // the steps after the failing one did not run
    EXPECT_TRUE(app.Locked());
}

TEST_F(StandardFixture, MemoryAddOverflowLeavesTheMemory) {
    for (int i = 0; i < 309; ++i) app.Click(i == 0 ? 1 : 0);  // 1E+308
    Press({25, 26});  // MS M+
    EXPECT_TRUE(app.Locked());
    EXPECT_EQ(m().dblStdMemory, 1e308);
}

TEST_F(StandardFixture, TheTwoMemoriesNeverMeet) {
    Press({4, 25});  // 4 MS
    app.mnuScience_Click();
    app.Click(9);
    app.Click(23);  // 9 MS in the scientific window
    EXPECT_EQ(m().dblSciMemory, 9);
    EXPECT_EQ(m().dblStdMemory, 4);
    app.mnuStandard_Click();
    Press({24});  // MR
    EXPECT_EQ(app.Display(), "4");
}

}  // namespace
}  // namespace calc
