#pragma once
// The self-test of the consistency checks, for a build whose keypads have BreakRule
// (CALC_SELF_TEST_HOOKS): the fuzz build, and the rules test of the main build.
#include <string>

namespace calc::fuzz {

// Breaks each rule of both keypads in turn, on a fresh keypad that shows a typed "5",
// and asks CheckConsistency after each; writes a line per break with what the check
// said to `log`. Returns the breaks that went unnoticed, and a keypad that broke none
// of its own rules ("" when all is well).
std::string UnnoticedRuleBreaks(std::string* log = nullptr);

}  // namespace calc::fuzz
