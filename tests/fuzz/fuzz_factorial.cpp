// The fuzz targets' stand-in for huge factorials, linked only into the fuzz build.
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "bignum/bignum.h"

// Seven typed digits and "n!" cost seconds under the sanitizers, and the fuzzer finds such inputs quickly. The
// targets are linked with --wrap of calc::Factorial(int): up to CALC_FUZZ_FACTORIAL_LIMIT (default 3000, whose top
// products already take the transform) and beyond the 100-million-digit limit the real function runs; in between
// a smaller argument's factorial stands in, still a long digit text. The huge-input tests run the real 1000000!.
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
