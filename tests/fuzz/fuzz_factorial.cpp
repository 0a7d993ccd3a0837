// The fuzz build's stand-in for huge factorials, compiled into its engine with CALC_FACTORIAL_STAND_IN.
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "bignum/bignum.h"

namespace calc {

// Seven typed digits and "n!" cost seconds under the sanitizers. Up to CALC_FUZZ_FACTORIAL_LIMIT (default 3000,
// whose top products already take the transform) and beyond the digit limit the argument stays; in between a
// smaller argument's factorial, still a long digit text, stands in. The huge-input tests run the real 1000000!.
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
