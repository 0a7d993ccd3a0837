#pragma once
// What the fuzz targets share: the failure report and the self-test switch.
#include <cstdint>
#include <string>
#include <vector>

#include "app/calculator.h"

namespace calc::fuzz {

// Prints the broken rule and the scenario lines that lead to it, then aborts: libFuzzer saves the input.
[[noreturn]] void Fail(const std::string& what, const std::vector<std::string>& scenario);

// In the self-test build (fuzz_selftest) opcode 0xFF corrupts the state, which must fail the target.
void EnableSelfTest();
bool SelfTestCorruption(std::uint8_t op, Calculator& calculator);

}  // namespace calc::fuzz
