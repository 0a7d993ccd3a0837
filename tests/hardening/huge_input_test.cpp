// Huge inputs, one test per shape: a 10 MB paste (random bytes, a valid expression,
// one number), a million typed digits followed by each key, 1000000! followed by
// further keys. Each must end in a consistent state, with memory in proportion to
// the input. Their speed is measured by the benchmarks, not here.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/invariants.h"
#include "app/keypads.h"

namespace calc {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;  // shadow memory makes the peak meaningless
#else
constexpr bool kSanitized = false;
#endif

long StatusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
    }
    return -1;
}

// Fails when the peak resident memory of the block rose more than `limitMb` above its
// start (the peak is reset first, where the kernel allows it).
class MemoryCap {
public:
    explicit MemoryCap(long limitMb) : limitMb_(limitMb) {
        std::ofstream("/proc/self/clear_refs") << "5";
        baseKb_ = StatusKb("VmRSS:");
    }
    ~MemoryCap() {
        if (!kSanitized) EXPECT_LE((StatusKb("VmHWM:") - baseKb_) / 1024, limitMb_) << "MB above the start";
    }

private:
    long limitMb_, baseKb_;
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
    void Type(const std::string& digits) {
        for (char c : digits) app.Click(c == '.' ? 10 : c - '0');
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
    const std::string ops = "+-*/()=%!yYnNlLrRsSoOtT@#;.";
    std::string random(kTenMB, ' ');
    for (char& c : random) {
        const unsigned r = rng() % 100;
        c = r < 45 ? static_cast<char>(rng() & 0xFF) : r < 75 ? static_cast<char>('0' + rng() % 10) : ops[rng() % ops.size()];
    }
    const std::string expression = Repeat("1+2*3-4/5+(6-7)*8-(2y3)%5+0.5-", kTenMB) + "1";
    for (const std::string* text : {static_cast<const std::string*>(&random), &expression}) {
        Program p(WindowKind::Scientific);
        {
            MemoryCap cap(40 * 10);
            p.Paste(*text);
            p.Press("=");
        }
        EXPECT_EQ(CheckInvariants(p.app), "");
        if (text == &expression) EXPECT_FALSE(p.app.Locked()) << p.app.Display();
    }
    Program p(WindowKind::Scientific);
    {
        MemoryCap cap(12 * 10);
        p.Paste("0." + Repeat("1234567890", kTenMB));
        p.Press("=");
    }
    EXPECT_EQ(CheckInvariants(p.app), "");
}

// Every key, Copy + Paste, Inv and Hyp on a display of a million typed digits.
TEST(HugeInput, EveryKeyAfterAMillionTypedDigits) {
    const std::string digits = Repeat("123456789", 1000000).substr(0, 1000000);
    for (WindowKind window : {WindowKind::Standard, WindowKind::Scientific}) {
        std::vector<std::string> actions{"copy paste"};
        for (const KeyDef& k : Keypad(window)) actions.push_back(k.caption);
        if (window == WindowKind::Scientific) actions.insert(actions.end(), {"Inv ln", "Hyp tan"});
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const std::string& action = actions[i];
            Program p(window);
            p.Type(i % 2 ? "0." + digits : digits);
            if (action == "copy paste") {
                p.app.mnuCopy_Click();
                p.app.mnuPaste_Click();
            } else if (action.size() > 4 && action[3] == ' ') {
                if (action[0] == 'I') p.app.Form2()->SetCheck1(1);
                else p.app.Form2()->SetCheck2(1);
                p.Press(action.substr(4).c_str());
            } else {
                p.Press(action.c_str());
            }
            p.Press("=");
            p.Press("+/-");
            EXPECT_EQ(CheckInvariants(p.app), "") << "after " << action;
        }
    }
}

// 1000000! (5565709 digits) on the display, then further keys; the last chain copies
// and pastes all its digits.
TEST(HugeInput, MillionFactorialThenFurtherKeys) {
    const std::vector<std::vector<const char*>> followUps = {
        {"+", "2", "=", "*", "="}, {"x^y", "2", "="}, {"Mod", "7", "="}, {"/", "0", "="}, {"+/-", "MS", "MR", "M+"},
        {"BackSpace", "sin"}, {"ln"}, {"x^2"}, {"Int", "1/x"}, {"n!"}, {"(", "1", ")", "CE", "5", "="},
    };
    for (const auto& keys : followUps) {
        Program p(WindowKind::Scientific);
        MemoryCap cap(64);
        p.Type("1000000");
        p.Press("n!");
        ASSERT_EQ(p.app.Display().size(), 5565709u);
        for (const char* k : keys) {
            p.Press(k);
            EXPECT_EQ(CheckInvariants(p.app), "") << "after " << k;
        }
    }
    Program p(WindowKind::Scientific);
    p.Type("1000000");
    p.Press("n!");
    p.app.mnuCopy_Click();
    EXPECT_EQ(p.platform.clipboard.size(), 5565709u);
    p.app.mnuPaste_Click();
    p.Press("=");
    EXPECT_EQ(CheckInvariants(p.app), "");
    p.Press("C");
    EXPECT_EQ(p.app.Display(), "0");
}

}  // namespace
}  // namespace calc
