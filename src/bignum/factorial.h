#pragma once
// Exact factorial: the decimal digits of n!, assembled from its prime factorisation.
#include <cstdint>
#include <new>
#include <string>

namespace calc::bignum {

// Thrown for a factorial of more than kMaxFactorialDigits digits (bignum/bignum.h):
// such a result counts as running out of memory.
class FactorialTooLarge : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "factorial of more than 100 million digits"; }
};

// The exact decimal text of num! (no sign, no leading zeros, no separators); "1" for
// num of 0 or below. Throws FactorialTooLarge at once for a result of more than 100
// million digits, and std::bad_alloc when memory runs out on the way.
std::string FactorialText(std::int32_t num);

}  // namespace calc::bignum
