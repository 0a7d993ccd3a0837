#pragma once
// Internal: helpers on little-endian radix-10^9 limb arrays.
#include "bignum/bignum.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace calc::bignum::detail {

using u32 = std::uint32_t;
using u64 = std::uint64_t;

inline constexpr u64 kB = kBase;

inline std::size_t TrimmedSize(const Limb* a, std::size_t n) {
    while (n > 0 && a[n - 1] == 0) --n;
    return n;
}

inline void Trim(Limbs& x) { x.resize(TrimmedSize(x.data(), x.size())); }

// dst[0..n) += src[0..m) (m <= n); returns the carry out of dst[n-1].
Limb AddInPlace(Limb* dst, std::size_t n, const Limb* src, std::size_t m);

// dst[0..n) += v.
void AddWordInPlace(Limb* dst, std::size_t n, u64 v);

// dst[0..n) -= src[0..m) (m <= n); the caller guarantees dst >= src.
void SubInPlace(Limb* dst, std::size_t n, const Limb* src, std::size_t m);

// Decimal text of x[0..n) (trimmed; "0" for n == 0) followed by `zeros` zero digits
// (decimal.cpp).
std::string DecimalText(const Limb* x, std::size_t n, std::size_t zeros);

}  // namespace calc::bignum::detail
