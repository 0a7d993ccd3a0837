// The consistency checks notice each kind of broken state.
#include "app/invariants.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "app/keypad_probe.h"

namespace calc {
namespace {

TEST(Invariants, DetectBrokenStates) {
    using P = KeypadProbe;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Breakage {
        Mode mode;
        const char* what;
        std::function<void(StandardKeypad&, ScientificKeypad&)> breakIt;
    };
    const Breakage cases[] = {
        {Mode::Scientific, "depth", [](auto&, auto& s) { P::ParenDepth(s) = 2; }},
        {Mode::Scientific, "point", [](auto&, auto& s) { P::NewNumber(s) = P::Point(s) = true; }},
        {Mode::Scientific, "lock", [](auto&, auto& s) { P::Locked(s) = true; }},
        {Mode::Scientific, "memory", [](auto&, auto& s) { P::Memory(s) = kNaN; }},
        {Mode::Scientific, "token", [](auto&, auto& s) { P::Expression(s).Add(Value(kNaN)); }},
        {Mode::Scientific, "text token", [](auto&, auto& s) { P::Expression(s).Add(Value("inf")); }},
        {Mode::Scientific, "repeat", [](auto&, auto& s) { P::RepeatOp(s) = "++"; }},
        {Mode::Scientific, "indicator", [](auto&, auto& s) { P::ParenIndicator(s) = "(=1"; }},
        {Mode::Scientific, "repeat register", [](auto&, auto& s) { P::LastResult(s) = kNaN; }},
        {Mode::Standard, "register", [](auto& d, auto&) { P::Operand(d) = kNaN; }},
        {Mode::Standard, "memory indicator", [](auto& d, auto&) { P::MemoryIndicator(d) = "MM"; }},
        {Mode::Standard, "memory", [](auto& d, auto&) { P::Memory(d) = -kNaN; }},
        {Mode::Standard, "empty display", [](auto& d, auto&) { P::Display(d).clear(); }},
        {Mode::Standard, "display", [](auto& d, auto&) { P::Display(d) = "1,5"; }},
        {Mode::Standard, "leading point", [](auto& d, auto&) { P::Display(d) = ".5"; }},
    };
    for (const auto& c : cases) {
        MemoryPlatform platform;
        Calculator calculator(platform);
        calculator.Start();
        calculator.ShowMode(c.mode);
        ASSERT_EQ(CheckInvariants(calculator), "");
        c.breakIt(calculator.Standard(), calculator.Scientific());
        EXPECT_NE(CheckInvariants(calculator), "") << c.what;
    }
}

}  // namespace
}  // namespace calc
