#include "fuzz_support.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "bignum/bignum.h"

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

bool SelfTestCorruption(std::uint8_t op, Application& app) {
    if (!g_selfTest || op != 0xFF) return false;
    app.store().dblSciMemory = std::numeric_limits<double>::quiet_NaN();
    return true;
}

}  // namespace calc::fuzz

// ---- a cheaper factorial for huge arguments ------------------------------------
//
// Typing seven digits and "n!" costs seconds under the sanitizers (5000000! has
// 28 million digits), and the fuzzer finds such inputs quickly; it would spend its
// time there. The fuzz targets are linked with --wrap of calc::Factorial(int): up to
// CALC_FUZZ_FACTORIAL_LIMIT (default 3000: its top products already take the
// number-theoretic transform)
// and beyond the 100-million-digit limit (which fails at once) the real function
// runs; in between, the factorial of a smaller argument stands in, so the display
// still gets a long digit text. The huge-input tests run the real 1000000!.
std::string RealFactorial(std::int32_t num) __asm__("__real__ZN4calc9FactorialB5cxx11Ei");
std::string WrappedFactorial(std::int32_t num) __asm__("__wrap__ZN4calc9FactorialB5cxx11Ei");

std::string WrappedFactorial(std::int32_t num) {
    static const std::int32_t limit = [] {
        const char* env = std::getenv("CALC_FUZZ_FACTORIAL_LIMIT");
        const long v = env ? std::strtol(env, nullptr, 10) : 3000;
        return static_cast<std::int32_t>(v > 0 && v < std::numeric_limits<std::int32_t>::max() ? v : 3000);
    }();
    if (num > limit && calc::bignum::FactorialDigitEstimate(num) <= calc::bignum::kMaxFactorialDigits) {
        return RealFactorial(limit - num % 1000);
    }
    return RealFactorial(num);
}
