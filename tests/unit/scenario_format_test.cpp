// The scenario language itself: token notation and the runner's verdicts.
#include <gtest/gtest.h>

#include <sstream>

#include "format.h"
#include "headless_driver.h"
#include "scenario.h"

namespace calc::script {
namespace {

TEST(FormatToken, WritesEachTypeInItsNotation) {
    EXPECT_EQ(FormatToken(Value("1\"2\\")), R"("1\"2\\")");
    EXPECT_EQ(FormatToken(Value(30.000000000000004)), "d:30.000000000000004");
    EXPECT_EQ(FormatToken(Value(-5.0)), "d:-5");
    EXPECT_EQ(FormatToken(Value(1e20)), "d:1e+20");
    EXPECT_EQ(FormatToken(Value(std::int16_t{0})), "i:0");
    EXPECT_EQ(FormatToken(Value(std::int32_t{-3})), "l:-3");
    EXPECT_EQ(FormatToken(Value()), "e");
}

// Each line's verdict and the start of its failure message.
TEST(ScenarioRunner, JudgesEachLine) {
    const struct {
        std::string line;
        bool ok;
        std::string message;
    } cases[] = {
        // clang-format off
        {"# a comment", true, ""}, {"   ", true, ""},
        {"press 5 + . =", true, ""},  // "." typed the right operand: 5 + 0
        {"expect display 5", true, ""}, {"expect display 3", false, "display \"3\", got \"5\""},
        {"press Inv", false, "unknown caption \"Inv\" in the standard window"}, {"press", false, "malformed line"},
        {"click 40000", false, "malformed line"}, {"click x", false, "malformed line"}, {"click -32768", true, ""},
        {"expect tokens", false, "expect tokens needs the scientific window"},
        {"paste 1+2", false, "paste: the standard window has no Paste"},
        {"expect locked maybe", false, "malformed line"}, {"frobnicate", false, "malformed line: unknown command"},
        {"window sideways", false, "malformed line"}, {"window scientific", true, ""}, {"press Inv", true, ""},
        {"expect inv 1", true, ""}, {"paste 2y10=\r", true, ""},
        {"expect display 1.07177346253629", true, ""},  // Inv made the power a root
        {"expect inv 0", true, ""}, {"press ) )", true, ""}, {"expect beeps 2", true, ""},
        {"expect beeps 0", true, ""}, {"expect beeps two", false, "malformed line"},
        {"press C 1 + 5 / 0 =", true, ""},  // the tokens after "+" leave the list, even on an error
        {"expect tokens \"1\" \"+\"", true, ""}, {"show", true, ""},
        {"\x7f\x01\x80\xff x", false, "malformed line: unknown command \"\\x7f\\x01\\x80\\xff\""},
        {"press 9\xe8\xae\xa1", false, "unknown caption \"9计\""},
        {"press \xe8\xae\xa1" + std::string(100, '9'), false, "unknown caption \"计" + std::string(79, '9') + "…\""},
    };
    // clang-format on
    HeadlessDriver driver;
    std::ostringstream shown;
    ScenarioRunner runner(driver, shown);
    runner.Restart();
    for (const auto& c : cases) {
        const CommandResult r = runner.RunLine(c.line);
        EXPECT_EQ(r.ok, c.ok) << c.line;
        EXPECT_EQ(r.message.rfind(c.message, 0), 0u) << c.line << " -> " << r.message;
    }
    std::ostringstream once;
    WriteShow(once, driver.Read());
    EXPECT_EQ(shown.str(), once.str());  // `show` wrote to the stream it was given, once
}

}  // namespace
}  // namespace calc::script
