// The consistency checks notice each kind of broken state.
#include "app/invariants.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/application.h"

namespace calc {
namespace {

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
