#include "fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "app/invariants.h"

namespace calc::fuzz {

#ifdef CALC_SELF_TEST_HOOKS
namespace {

bool selfTestEnabled = false;

// Each rule that BreakRule can break, in either window, is noticed by the consistency checks; aborts otherwise.
void CheckEveryRuleIsChecked() {
    for (const Mode mode : {Mode::Standard, Mode::Scientific}) {
        for (int rule = 0;; ++rule) {
            MemoryPlatform platform;
            Calculator calculator(platform);
            calculator.Start();
            calculator.ShowMode(mode);
            calculator.Press(Key::Digit5);  // a display the checks have read before it breaks
            const std::string before = CheckInvariants(calculator);
            Keypad& keypad = mode == Mode::Standard ? static_cast<Keypad&>(calculator.Standard())
                                                    : static_cast<Keypad&>(calculator.Scientific());
            if (!before.empty() || !keypad.BreakRule(rule)) break;
            const std::string noticed = CheckInvariants(calculator);
            std::fprintf(stderr, "self-test: %s keypad, rule %d broken: %s\n",
                         mode == Mode::Standard ? "standard" : "scientific", rule, noticed.c_str());
            if (noticed.empty()) {
                std::fprintf(stderr, "==== self-test FAILED: no consistency check noticed the broken rule\n");
                std::abort();
            }
        }
    }
}

}  // namespace
#endif

void Fail(const std::string& what, const std::vector<std::string>& scenario) {
    std::fprintf(stderr, "\n==== calculator invariant violated: %s\n", what.c_str());
    if (!scenario.empty()) {
        std::fprintf(stderr, "==== scenario (calc-script --check, or --record to add expectations):\n");
        for (const std::string& line : scenario) std::fprintf(stderr, "%s\n", line.c_str());
        std::fprintf(stderr, "==== end of scenario\n");
    }
    std::fflush(stderr);
    std::abort();
}

bool KnownIssue(const std::string& violation) {
    static const std::vector<std::string> known = [] {
        std::vector<std::string> out;
        std::istringstream list(std::getenv("CALC_FUZZ_KNOWN") ? std::getenv("CALC_FUZZ_KNOWN") : "");
        for (std::string k; std::getline(list, k, '|');) {
            if (!k.empty()) out.push_back(k);
        }
        return out;
    }();
    return std::any_of(known.begin(), known.end(),
                       [&](const auto& k) { return violation.find(k) != std::string::npos; });
}

#ifdef CALC_SELF_TEST_HOOKS
void EnableSelfTest() {
    CheckEveryRuleIsChecked();
    selfTestEnabled = true;
}

bool SelfTestCorruption(std::uint8_t op, Calculator& calculator) {
    if (!selfTestEnabled || op != 0xFF) return false;
    calculator.Scientific().BreakRule(0);  // its memory becomes NaN
    return true;
}
#else
// Without the keypads' BreakRule (the fuzz build's hook) there is nothing to corrupt.
void EnableSelfTest() {}
bool SelfTestCorruption(std::uint8_t, Calculator&) { return false; }
#endif

}  // namespace calc::fuzz
