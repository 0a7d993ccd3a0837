// State-level checks of the scientific keypad and of the consistency checks.
#include "scientific/scientific_window.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/application.h"
#include "app/invariants.h"
#include "format.h"

namespace calc {
namespace {

struct ScientificFixture : ::testing::Test {
    MemoryPlatform platform;
    Application app{platform};
    void SetUp() override {
        app.Main();
        app.mnuScience_Click();
    }
    ScientificWindow& w() { return *app.Form2(); }
    Module1& m() { return app.store(); }
};

TEST_F(ScientificFixture, ResetLeavesDisplayIndicatorsBoxesAndList) {
    for (int k : {5, 23, 16, 3, 13}) w().Command1_Click(k);  // 5 MS ( 3 *
    w().SetCheck1(1);
    w().SetCheck2(1);
    const std::string tokens = script::FormatTokens(m().colExpr);
    ResetScientificState(m());
    EXPECT_EQ(m().intParenDepth, 0);
    EXPECT_EQ(m().blnSciNewNumber, 0);
    EXPECT_EQ(script::FormatTokens(m().colExpr), tokens);
    EXPECT_EQ(w().Text1(), "3");
    EXPECT_EQ(w().Text2(), "(=1");
    EXPECT_EQ(w().Text3(), "M");
    EXPECT_EQ(w().Check1(), 1);
    EXPECT_EQ(w().Check2(), 1);
    EXPECT_EQ(m().dblSciMemory, 5);
}

TEST_F(ScientificFixture, LoadEmptiesTheListAndKeepsTheMemory) {
    for (int k : {7, 23, 16, 2, 11}) w().Command1_Click(k);
    app.mnuStandard_Click();
    EXPECT_FALSE(m().colExpr.Empty());  // unloading leaves the store alone
    app.mnuScience_Click();
    EXPECT_TRUE(m().colExpr.Empty());
    EXPECT_EQ(m().intParenDepth, 0);
    EXPECT_EQ(m().dblSciMemory, 7);
    EXPECT_EQ(w().Text3(), "");
}

TEST_F(ScientificFixture, RepeatRegistersFollowEquals) {
    for (int k : {5, 11, 3, 19}) w().Command1_Click(k);  // 5 + 3 =
    EXPECT_EQ(m().strRepeatOp, "+");
    EXPECT_EQ(m().dblRepeatOperand, 3);
    EXPECT_EQ(m().dblLastResult, 8);
    for (int k : {16, 1, 11, 1, 17}) w().Command1_Click(k);  // ( 1 + 1 ): ")" sets the operand
    EXPECT_EQ(m().dblRepeatOperand, 2);
    w().Command1_Click(19);
    EXPECT_EQ(w().Text1(), "10");
}

TEST(Invariants, DetectBrokenStates) {
    struct Breakage {
        const char* what;
        std::function<void(Application&)> breakIt;
    };
    const Breakage cases[] = {
        {"depth", [](Application& a) { a.store().intParenDepth = 2; }},
        {"flag", [](Application& a) { a.store().blnSciNewNumber = 1; }},
        {"point", [](Application& a) { a.store().blnSciNewNumber = -1; a.store().blnSciPoint = -1; }},
        {"lock", [](Application& a) { a.store().blnSciError = -1; }},
        {"box", [](Application& a) { a.Form2()->SetCheck1(1); a.store().colExpr.Add(Value("inf")); }},
        {"memory", [](Application& a) { a.store().dblSciMemory = 1.0 / 0.0; }},
        {"token", [](Application& a) { a.store().colExpr.Add(Value(0.0 / 0.0)); }},
        {"repeat", [](Application& a) { a.store().strRepeatOp = "++"; }},
    };
    for (const auto& c : cases) {
        MemoryPlatform platform;
        Application app(platform);
        app.Main();
        app.mnuScience_Click();
        ASSERT_EQ(CheckInvariants(app), "");
        c.breakIt(app);
        EXPECT_NE(CheckInvariants(app), "") << c.what;
    }
    MemoryPlatform platform;
    Application app(platform);
    app.Main();
    app.store().intPendingOp = 7;
    EXPECT_NE(CheckInvariants(app), "");
}

}  // namespace
}  // namespace calc
