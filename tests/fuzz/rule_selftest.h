#pragma once
// The self-test of the consistency checks, for a build whose keypads have BreakRule (CALC_SELF_TEST_HOOKS).
#include <string>

namespace calc::fuzz {

// Breaks each rule of both keypads in turn on a fresh keypad showing a typed "5", writing to `log` what the check
// said; returns the breaks unnoticed and a keypad that broke none of its own rules ("" when all is well).
std::string UnnoticedRuleBreaks(std::string* log = nullptr);

}  // namespace calc::fuzz
