// calc-script --record: what it writes must read back as what it ran.
#include "record.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "headless_driver.h"
#include "scenario.h"

namespace calc::script {
namespace {

// Every character the scenario escapes touch, and the ones next to them.
TEST(RecordEscape, ArgumentsReadBackUnchanged) {
    for (const std::string text : {"", " ", "  ", "a b", " lead", "trail ", "\\", "\\n", "\\s", "\\\\s", "x\ny",
                                   "\t", "tab\tin", "\\t\n \\", "a\rb", "运行错误：溢出", "\"1\" \"+\""}) {
        EXPECT_EQ(Unescape(EscapeArgument(text)), text) << "escaped as " << EscapeArgument(text);
    }
}

struct Recorded {
    int status;
    std::string scenario, errors;
};

Recorded RecordText(const std::string& actions) {
    HeadlessDriver driver;
    std::istringstream in(actions);
    std::ostringstream out, err;
    const int status = Record(driver, in, out, err, "actions");
    return {status, out.str(), err.str()};
}

// The recording of every kind of action, replayed from a fresh start, passes; and it
// does state what each action showed.
TEST(Record, RecordingOfEveryActionReplays) {
    const Recorded r = RecordText(
        "# a comment stays\n"
        "press 1 + 2\n"
        "expect display 999\n"  // dropped: the recording states its own
        "press MS * =\n"
        "copy\n"
        "window scientific\n"
        "press Inv Hyp ( 2 x^y\n"
        "paste \\s1+(2*3)\\t\\\\ \n"
        "press ) = / 0 =\n"
        "click 20\n"
        "click -32768\n"
        "press C 5 +/- BackSpace\n"
        "copy\n"
        "paste\n"
        "window standard\n"
        "press 1/x\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_NE(r.scenario.find("# a comment stays\n"), std::string::npos);
    EXPECT_EQ(r.scenario.find("expect display 999"), std::string::npos);
    for (const char* block : {
             "copy\nexpect display 9\nexpect memory M\nexpect locked no\nexpect beeps 0\nexpect clipboard 9\n"
             "window scientific\n",
             "press Inv Hyp ( 2 x^y\nexpect display 2\nexpect memory\nexpect locked no\nexpect beeps 0\n"
             "expect paren (=1\nexpect inv 1\nexpect hyp 1\nexpect tokens \"(\" \"2\" \"y\"\n",
             "paste \\s1+(2*3)\\t\\\\ \nexpect display 6\n",
             "expect locked yes\n",
             "copy\nexpect display -\nexpect memory\nexpect locked no\nexpect beeps 0\nexpect clipboard -\n",
             "window standard\nexpect display 0\nexpect memory\nexpect locked no\nexpect beeps 0\npress 1/x\n",
         }) {
        EXPECT_NE(r.scenario.find(block), std::string::npos) << "missing:\n" << block << "\nin:\n" << r.scenario;
    }

    HeadlessDriver driver;
    ScenarioRunner runner(driver);
    runner.Restart();
    std::istringstream in(r.scenario);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const CommandResult c = runner.RunLine(line);
        ASSERT_TRUE(c.ok) << "line " << number << ": " << line << ": " << c.message;
    }
}

TEST(Record, StopsAtTheFirstLineItCannotRun) {
    for (const auto& [actions, message] : {
             std::pair<std::string, std::string>{"press 1\npress Sqrt\nwindow scientific\npress Sqrt\n",
                                                 "actions:4: unknown caption \"Sqrt\""},
             {"press 1\npaste 2\n", "actions:2: paste: the standard window has no Paste"},
             {"press 1\nclick 40000\n", "actions:2: malformed line: click needs a 16-bit index"},
             {"window scientific\nfrobnicate\n", "actions:2: malformed line: unknown action \"frobnicate\""},
         }) {
        const Recorded r = RecordText(actions);
        EXPECT_EQ(r.status, 1) << actions;
        EXPECT_EQ(r.errors.rfind(message, 0), 0u) << r.errors;
    }
}

}  // namespace
}  // namespace calc::script
