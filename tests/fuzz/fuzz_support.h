#pragma once
// What the fuzz targets share: the failure report and the self-test switch.
#include <cstdint>
#include <string>
#include <vector>

#include "app/calculator.h"

namespace calc::fuzz {

// Prints the broken rule and, when given, the scenario lines that lead to it, then
// aborts, which libFuzzer reports as a crash and saves the input for.
[[noreturn]] void Fail(const std::string& what, const std::vector<std::string>& scenario = {});

// Whether `violation` contains one of the texts listed, separated by "|", in the
// environment variable CALC_FUZZ_KNOWN: a long fuzzing run can then go on past a
// fault that is reported but not fixed yet. The input is dropped, not reported.
bool KnownIssue(const std::string& violation);

// The self-test build (fuzz_selftest) corrupts the state on opcode 0xFF, to show that
// a broken rule does fail the target. Off in the real targets.
void EnableSelfTest();
bool SelfTestCorruption(std::uint8_t op, Calculator& calculator);

}  // namespace calc::fuzz
