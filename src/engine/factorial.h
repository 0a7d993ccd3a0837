#pragma once
// Exact factorial: the decimal digits of n!.
#include <cstdint>
#include <string>

namespace calc {

// The exact decimal text of num! (no sign, no leading zeros, no separators);
// "1" for num of 0 or below. Raises the out-of-memory error at once for a result of
// more than 100 million digits.
std::string Factorial(std::int32_t num);

// The n! key: the exact digits of the factorial of x rounded to a 32-bit integer; the
// negative-factorial error for x below 0.
std::string FactorialOf(double x);

}  // namespace calc
