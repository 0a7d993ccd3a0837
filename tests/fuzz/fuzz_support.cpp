#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

namespace calc::fuzz {

void Fail(const std::string& what, const std::vector<std::string>& scenario) {
    std::fprintf(stderr, "\n==== calculator invariant violated: %s\n", what.c_str());
    std::fprintf(stderr, "==== scenario (calc-script --check, or --record to add expectations):\n");
    for (const std::string& line : scenario) std::fprintf(stderr, "%s\n", line.c_str());
    std::fprintf(stderr, "==== end of scenario\n");
    std::fflush(stderr);
    std::abort();
}

#ifdef CALC_SELF_TEST_HOOKS
namespace {
bool selfTestEnabled = false;
}  // namespace

void EnableSelfTest() { selfTestEnabled = true; }

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
