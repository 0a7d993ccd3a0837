#include "fuzz_support.h"

#include "app/keypad_probe.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <limits>

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
        const char* env = std::getenv("CALC_FUZZ_KNOWN");
        std::string list = env ? env : "";
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t bar = std::min(list.find('|', start), list.size());
            if (bar > start) out.push_back(list.substr(start, bar - start));
            start = bar + 1;
        }
        return out;
    }();
    for (const std::string& k : known) {
        if (violation.find(k) != std::string::npos) return true;
    }
    return false;
}

void EnableSelfTest() { g_selfTest = true; }

bool SelfTestCorruption(std::uint8_t op, Calculator& calculator) {
    if (!g_selfTest || op != 0xFF) return false;
    KeypadProbe::Memory(calculator.Scientific()) = std::numeric_limits<double>::quiet_NaN();
    return true;
}

}  // namespace calc::fuzz
