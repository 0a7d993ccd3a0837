#pragma once
// Big natural numbers in radix 10^9: the arithmetic behind the exact factorial.
// The multiplication paths are public so they can be checked against each other.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calc::bignum {

using Limb = std::uint32_t;
// Little-endian limbs, each below kBase. Results come back without high zero limbs,
// so zero is the empty vector. Inputs may carry high zero limbs.
using Limbs = std::vector<Limb>;

inline constexpr Limb kBase = 1'000'000'000;
inline constexpr int kLimbDigits = 9;

enum class Method {
    Auto,        // pick by operand size (what the factorial uses)
    Schoolbook,  // quadratic product only
    Karatsuba,   // Karatsuba down to schoolbook, never the transform
    Ntt,         // number-theoretic transform at the top level
};

struct MulOptions {
    Method method = Method::Auto;
    // Use the AVX2 transform kernels when the processor has them; false forces the
    // portable kernels.
    bool vectorKernels = true;
    // Longest transform allowed (a power of two, at least 16); 0 means the built-in
    // limit of 2^24. Larger products are split into pieces.
    std::size_t maxTransform = 0;
    // Let a large product run on two threads.
    bool threads = true;
};

Limbs Multiply(const Limbs& a, const Limbs& b, const MulOptions& options = {});
Limbs Square(const Limbs& a, const MulOptions& options = {});

// Decimal text (no leading zeros, "0" for zero) and back. FromDecimal throws
// std::invalid_argument for anything but the digits 0-9.
std::string ToDecimal(const Limbs& a);
Limbs FromDecimal(std::string_view digits);

// True when the processor runs the AVX2 kernels.
bool VectorKernelsAvailable();

inline constexpr std::int64_t kMaxFactorialDigits = 100'000'000;
// Number of decimal digits of num! from lgamma (1 for num <= 1). Near the
// 100-million-digit limit the estimate is far from a digit boundary, so it decides
// the limit exactly.
std::int64_t FactorialDigitEstimate(std::int32_t num);

}  // namespace calc::bignum
