#pragma once
// The self-test of the consistency checks, for a build whose keypads have BreakRule
// (CALC_SELF_TEST_HOOKS): the fuzz build, and the rules test of the main build.
#include <string>

namespace calc::fuzz {

// Breaks each rule of both keypads in turn, on a fresh keypad that shows a typed "5",
// and asks CheckConsistency after each. Lists each break and what the check said on
// `log`-style lines; returns the breaks that went unnoticed ("" when none did).
std::string UnnoticedRuleBreaks(std::string* log = nullptr);

}  // namespace calc::fuzz
