// The fuzz build's stand-in for huge factorials, compiled into its engine library, which
// it builds with CALC_FACTORIAL_STAND_IN (engine/factorial.cpp).
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "bignum/bignum.h"

namespace calc {

// Seven typed digits and "n!" cost seconds under the sanitizers, and the fuzzer finds such inputs quickly. Up to
// CALC_FUZZ_FACTORIAL_LIMIT (default 3000, whose top products already take the transform) and beyond the
// 100-million-digit limit the argument stays; in between a smaller argument's factorial stands in, still a long
// digit text. The huge-input tests run the real 1000000!.
std::int32_t FactorialArgument(std::int32_t num) {
    static const std::int32_t limit = [] {
        const char* env = std::getenv("CALC_FUZZ_FACTORIAL_LIMIT");
        const long v = env ? std::strtol(env, nullptr, 10) : 3000;
        return static_cast<std::int32_t>(v > 0 && v < std::numeric_limits<std::int32_t>::max() ? v : 3000);
    }();
    if (num > limit && bignum::FactorialDigitEstimate(num) <= bignum::kMaxFactorialDigits) return limit - num % 1000;
    return num;
}

}  // namespace calc
