#pragma once
// What the fuzz targets share: the failure report and the self-test switch.
#include <cstdint>
#include <string>
#include <vector>

#include "app/calculator.h"

namespace calc::fuzz {

// Prints the broken rule and the scenario lines that lead to it, then aborts: libFuzzer saves the input.
[[noreturn]] void Fail(const std::string& what, const std::vector<std::string>& scenario);

// Whether `violation` contains one of the "|"-separated texts of CALC_FUZZ_KNOWN: a long run then steps over a
// fault reported but not fixed yet, dropping the input.
bool KnownIssue(const std::string& violation);

// The self-test build (fuzz_selftest) first breaks each rule of both keypads in turn and aborts unless the checks
// notice every one; then opcode 0xFF corrupts the state, which must fail the target.
void EnableSelfTest();
bool SelfTestCorruption(std::uint8_t op, Calculator& calculator);

}  // namespace calc::fuzz
