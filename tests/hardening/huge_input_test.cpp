// Huge inputs: a 10 MB paste, a display of a million typed digits, 1000000! on the
// display, each followed by further keys. Each must finish with a consistent state;
// the time and the peak memory of each are printed ("[ measure  ]" lines, and as
// test properties in the XML report), never asserted.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/invariants.h"
#include "app/keypads.h"

namespace calc {
namespace {

long StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
    }
    return -1;
}

// Time and peak resident memory of a block. The peak is reset first where the kernel
// allows it (clear_refs 5); otherwise it is the process peak so far.
class Measure {
public:
    explicit Measure(std::string name) : name_(std::move(name)) {
        std::ofstream("/proc/self/clear_refs") << "5";
        baseKb_ = StatusKb("VmRSS:");
        start_ = std::chrono::steady_clock::now();
    }
    ~Measure() {
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        const long peakKb = StatusKb("VmHWM:");
        std::printf("[ measure  ] %s: %.2f s, peak RSS %.1f MB (%.1f MB above the start)\n", name_.c_str(), s,
                    peakKb / 1024.0, (peakKb - baseKb_) / 1024.0);
        std::fflush(stdout);
        ::testing::Test::RecordProperty(name_ + " seconds", std::to_string(s));
        ::testing::Test::RecordProperty(name_ + " peak MB", std::to_string(peakKb / 1024));
    }

private:
    std::string name_;
    long baseKb_;
    std::chrono::steady_clock::time_point start_;
};

struct Program {
    MemoryPlatform platform;
    Application app{platform};
    explicit Program(WindowKind window) {
        app.Main();
        app.ShowWindow(window);
    }
    void Paste(const std::string& text) {
        platform.clipboard = text;
        app.mnuPaste_Click();
    }
    void Press(const char* caption) {
        const int key = FindKey(app.Current(), caption);
        ASSERT_GE(key, 0) << caption;
        app.Click(key);
    }
    void Type(std::size_t digits, const std::string& prefix = "") {
        for (char c : prefix) app.Click(c == '.' ? 10 : c - '0');
        for (std::size_t i = 0; i < digits; ++i) app.Click(static_cast<int>(1 + i % 9));
    }
    std::string Consistency() const { return CheckInvariants(app); }
};

constexpr std::size_t kTenMB = 10 * 1024 * 1024;

// ---- 10 MB pastes ---------------------------------------------------------------

TEST(HugePaste, TenMegabytesOfRandomBytesAndOperators) {
    std::mt19937 rng(7);
    const std::string ops = "+-*/()=%!yYnNlLrRsSoOtT@#;.";
    std::string text(kTenMB, ' ');
    for (char& c : text) {
        const unsigned r = rng() % 100;
        if (r < 45) c = static_cast<char>(rng() & 0xFF);
        else if (r < 75) c = static_cast<char>('0' + rng() % 10);
        else c = ops[rng() % ops.size()];
    }
    Program p(WindowKind::Scientific);
    {
        Measure m("paste of 10 MB of random bytes and operators");
        p.Paste(text);
    }
    EXPECT_EQ(p.Consistency(), "");
    p.Press("=");
    p.Press("C");
    EXPECT_EQ(p.Consistency(), "");
}

// A long expression that never fails keeps every key of the paste working, with open
// groups, precedence folds and a result that stays small.
TEST(HugePaste, TenMegabytesOfAValidExpression) {
    const std::string piece = "1+2*3-4/5+(6-7)*8-(2y3)%5+0.5-";
    std::string text;
    text.reserve(kTenMB + piece.size());
    while (text.size() < kTenMB) text += piece;
    text += "1";
    Program p(WindowKind::Scientific);
    {
        Measure m("paste of a 10 MB expression");
        p.Paste(text);
        p.Press("=");
    }
    EXPECT_EQ(p.Consistency(), "");
    EXPECT_FALSE(p.app.Locked()) << p.app.Display();
}

// One number of ten million digits: typed digit by digit, then "=" must give a number
// or an error, nothing else.
TEST(HugePaste, TenMegabytesOfOneNumber) {
    for (const std::string prefix : {"", "0."}) {
        std::string text = prefix;
        while (text.size() < kTenMB) text += "1234567890";
        Program p(WindowKind::Scientific);
        {
            Measure m("paste of a 10 MB number" + std::string(prefix.empty() ? "" : " after \"0.\""));
            p.Paste(text);
            p.Press("=");
        }
        EXPECT_EQ(p.Consistency(), "") << "prefix " << prefix;
    }
}

// ---- a million typed digits, then each key ---------------------------------------

void EveryKeyAfterTypedDigits(WindowKind window, const std::string& prefix) {
    constexpr std::size_t kDigits = 1000000;
    const auto keys = Keypad(window);
    std::vector<std::pair<std::string, std::function<void(Program&)>>> actions;
    for (const KeyDef& k : keys) actions.push_back({k.caption, [i = k.index](Program& p) { p.app.Click(i); }});
    actions.push_back({"copy, paste", [](Program& p) {
                           p.app.mnuCopy_Click();
                           p.app.mnuPaste_Click();
                       }});
    if (window == WindowKind::Scientific) {
        actions.push_back({"Inv ln", [](Program& p) {
                               p.app.Form2()->SetCheck1(1);
                               p.Press("ln");
                           }});
        actions.push_back({"Hyp tan", [](Program& p) {
                               p.app.Form2()->SetCheck2(1);
                               p.Press("tan");
                           }});
    }
    const char* name = window == WindowKind::Standard ? "standard" : "scientific";
    Measure m(std::string("a million typed digits") + (prefix.empty() ? "" : " after \"0.\"") + " then each of " +
              std::to_string(actions.size()) + " keys, " + name + " window");
    for (const auto& [caption, act] : actions) {
        Program p(window);
        p.Type(kDigits, prefix);
        ASSERT_EQ(p.app.Display().size(), kDigits + prefix.size());
        act(p);
        EXPECT_EQ(p.Consistency(), "") << "after " << caption;
        p.Press("=");
        p.Press("+/-");
        EXPECT_EQ(p.Consistency(), "") << "after " << caption << " = +/-";
    }
}

TEST(HugeDisplay, MillionDigitsStandard) { EveryKeyAfterTypedDigits(WindowKind::Standard, ""); }
TEST(HugeDisplay, MillionDigitsAfterPointStandard) { EveryKeyAfterTypedDigits(WindowKind::Standard, "0."); }
TEST(HugeDisplay, MillionDigitsScientific) { EveryKeyAfterTypedDigits(WindowKind::Scientific, ""); }
TEST(HugeDisplay, MillionDigitsAfterPointScientific) { EveryKeyAfterTypedDigits(WindowKind::Scientific, "0."); }

// ---- 1000000! on the display ------------------------------------------------------

TEST(HugeFactorial, MillionFactorialThenFurtherKeys) {
    // 1000000! has 5565709 digits. Each follow-up starts from a fresh factorial, except
    // the chain at the end that keeps going on one.
    const std::vector<std::vector<const char*>> followUps = {
        {"+", "2", "="}, {"*", "="}, {"x^y", "2", "="}, {"Mod", "7", "="}, {"/", "0", "="},
        {"+/-"}, {"MS", "MR"}, {"M+"}, {"BackSpace"}, {"sin"}, {"ln"}, {"x^2"}, {"Int"},
        {"1/x"}, {"n!"}, {"(", "1", ")"}, {"CE", "5", "="},
    };
    for (const auto& keys : followUps) {
        Program p(WindowKind::Scientific);
        std::string label = "1000000! then";
        for (const char* k : keys) label += std::string(" ") + k;
        Measure m(label);
        p.Type(0, "1000000");
        p.Press("n!");
        ASSERT_EQ(p.app.Display().size(), 5565709u);
        EXPECT_EQ(p.Consistency(), "");
        for (const char* k : keys) {
            p.Press(k);
            EXPECT_EQ(p.Consistency(), "") << "after " << k;
        }
    }
    Program p(WindowKind::Scientific);
    Measure m("1000000! then copy, paste of its digits, =, C");
    p.Type(0, "1000000");
    p.Press("n!");
    p.app.mnuCopy_Click();
    EXPECT_EQ(p.platform.clipboard.size(), 5565709u);
    p.app.mnuPaste_Click();
    EXPECT_EQ(p.Consistency(), "");
    p.Press("=");
    EXPECT_EQ(p.Consistency(), "");
    p.Press("C");
    EXPECT_EQ(p.app.Display(), "0");
}

}  // namespace
}  // namespace calc
