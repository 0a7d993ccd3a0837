#include "fuzz_support.h"

#include "app/keypad_probe.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace calc::fuzz {

namespace {
bool g_selfTest = false;
}

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

void EnableSelfTest() { g_selfTest = true; }

bool SelfTestCorruption(std::uint8_t op, Calculator& calculator) {
    if (!g_selfTest || op != 0xFF) return false;
    KeypadProbe::Memory(calculator.Scientific()) = std::numeric_limits<double>::quiet_NaN();
    return true;
}

}  // namespace calc::fuzz
