// The fuzz build's stand-in for huge factorials, compiled into its engine with CALC_FACTORIAL_STAND_IN.
#include <cstdint>

#include "bignum/bignum.h"

namespace calc {

// Seven typed digits and "n!" cost seconds under the sanitizers. Up to 3000 (whose top products already take the
// transform) and beyond the digit limit the argument stays; in between a smaller argument's factorial, still a long
// digit text, stands in. The huge-input tests run the real 1000000!.
std::int32_t FactorialArgument(std::int32_t num) {
    constexpr std::int32_t kLimit = 3000;
    if (num > kLimit && bignum::FactorialDigitEstimate(num) <= bignum::kMaxFactorialDigits) return kLimit - num % 1000;
    return num;
}

}  // namespace calc
