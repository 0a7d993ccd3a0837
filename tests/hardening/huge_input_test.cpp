// Huge inputs: 10 MB pastes, a million typed digits then each key, 1000000! then further keys. Each must end in a
// consistent state (their speed and memory are measured by the benchmarks).
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/calculator.h"
#include "headless_driver.h"
#include "keypad/keypad_table.h"
#include "paste/filter.h"
#include "scenario.h"

namespace calc {
namespace {

// A fresh program driven as calc-script drives it, one scenario line at a time.
struct Program {
    script::HeadlessDriver driver;
    Calculator& calculator = driver.Core();
    std::ostringstream shown;
    script::ScenarioRunner runner{driver, shown};
    explicit Program(Mode mode) { driver.ShowMode(mode); }
    // Key captions, Inv, Hyp, "copy" and "paste" (Edit > Paste of the clipboard, which the standard window ignores
    // and a scenario refuses), separated by spaces; the state is checked after each.
    void Press(const std::string& words) {
        std::istringstream in(words);
        for (std::string w; in >> w;) {
            script::CommandResult r;
            if (w == "paste") {
                driver.Paste(driver.Clipboard());
                r.message = driver.TakeViolation();
                r.ok = r.message.empty();
            } else {
                r = runner.RunAction(w == "copy" ? script::Action::Of(script::Verb::Copy) : script::Action::Press(w));
            }
            EXPECT_TRUE(r.ok) << "after " << w << " of " << words << ": " << r.message;
        }
    }
    void Type(const std::string& digits) {
        for (char c : digits) calculator.Press(c == '.' ? Key::Point : DigitKey(c - '0'));
    }
};

constexpr std::size_t kTenMB = 10 * 1024 * 1024;

std::string Repeat(const std::string& piece, std::size_t size) {
    std::string text;
    text.reserve(size + piece.size());
    while (text.size() < size) text += piece;
    return text;
}

TEST(HugeInput, TenMegabytePastes) {
    std::mt19937 rng(7);
    std::string ops = ".";  // the point and every character of the operator table
    for (char c = 33; c < 127; ++c) ops += IsOperatorChar(c) ? std::string(1, c) : "";
    std::string random(kTenMB, ' ');
    for (char& c : random) {
        const unsigned r = rng() % 100;
        c = r < 45   ? static_cast<char>(rng() & 0xFF)
            : r < 75 ? static_cast<char>('0' + rng() % 10)
                     : ops[rng() % ops.size()];
    }
    const std::string expression = Repeat("1+2*3-4/5+(6-7)*8-(2y3)%5+0.5-", kTenMB) + "1";
    const std::string number = "0." + Repeat("1234567890", kTenMB);
    for (const std::string* text : std::initializer_list<const std::string*>{&random, &expression, &number}) {
        Program p(Mode::Scientific);
        p.driver.Paste(*text);
        p.Press("=");
        EXPECT_TRUE(text != &expression || !p.calculator.Locked()) << p.calculator.Display();
    }
}

// Every key, Copy + Paste, Inv and Hyp on a display of a million typed digits.
TEST(HugeInput, EveryKeyAfterAMillionTypedDigits) {
    const std::string digits = Repeat("123456789", 1000000).substr(0, 1000000);
    for (Mode mode : {Mode::Standard, Mode::Scientific}) {
        std::vector<std::string> actions{"copy paste"};
        for (const KeyEntry& k : KeyTable(mode)) actions.push_back(k.caption);
        if (mode == Mode::Scientific) actions.insert(actions.end(), {"Inv ln", "Hyp tan"});
        for (std::size_t i = 0; i < actions.size(); ++i) {
            Program p(mode);
            p.Type(i % 2 ? "0." + digits : digits);
            p.Press(actions[i] + " = +/-");
        }
    }
}

// 1000000! (5565709 digits) on the display, then further keys; at last Copy and Paste of all its digits.
TEST(HugeInput, MillionFactorialThenFurtherKeys) {
    for (const char* chain : {"+ 2 = * =", "x^y 2 =", "Mod 7 =", "/ 0 =", "+/- MS MR M+", "BackSpace sin", "ln", "x^2",
                              "Int 1/x", "n!", "( 1 ) CE 5 ="}) {
        Program p(Mode::Scientific);
        p.Type("1000000");
        p.Press("n!");
        ASSERT_EQ(p.calculator.Display().size(), 5565709u);
        p.Press(chain);
    }
    Program p(Mode::Scientific);
    p.Type("1000000");
    p.Press("n! copy");
    EXPECT_EQ(p.driver.Clipboard().size(), 5565709u);
    p.Press("paste = C");
    EXPECT_EQ(p.calculator.Display(), "0");
}

}  // namespace
}  // namespace calc
