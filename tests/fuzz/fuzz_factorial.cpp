// The fuzz targets' stand-in for huge factorials, linked only into the fuzz build.
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "bignum/bignum.h"

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
