// Exact factorial in radix 10^9.
//
// n! is assembled from its prime factorisation: with e_p the exponent of the prime p
// in n! and Q_i the product of the primes whose exponent has bit i set,
//     n! = Q_0 * (Q_1 * (Q_2 * ...)^2)^2,
// so the bulk of the work is a handful of squarings of growing numbers (Horner on
// the exponent bits) instead of a deep product tree. Every factor 10 = 2*5 is taken
// out up front (the exponent of 5 is subtracted from the exponent of 2) and written
// back as trailing zeros of the text.
//
// The numbers stay in radix 10^9 throughout, so the text comes out without a base
// conversion. The products pick their method by size (multiply.cpp).
#include "bignum/factorial.h"

#include "bignum/bignum.h"
#include "work/heap.h"
#include "bignum/limbs.h"
#include "bignum/multiply.h"
#include "work/stop.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <stdexcept>
#include <vector>

namespace calc::bignum {
namespace {

using namespace detail;

// x *= w for w < 10^18.
void MulWord(Limbs& x, u64 w) {
    const u64 wl = w % kB, wh = w / kB;
    u64 carry = 0;
    for (Limb& d : x) {
        const u64 s = d * wl + carry;  // < 2^63
        const u64 q = s / kB;
        carry = d * wh + q;
        d = static_cast<Limb>(s - q * kB);
    }
    while (carry) {
        x.push_back(static_cast<Limb>(carry % kB));
        carry /= kB;
    }
}

// Product of words[lo, hi) as a balanced tree.
Limbs ProductTree(const std::vector<u64>& w, std::size_t lo, std::size_t hi, MulContext& ctx) {
    ThrowIfStopRequested();
    if (hi - lo <= 16) {
        Limbs x;
        x.reserve(2 * (hi - lo) + 1);
        x.push_back(1);
        for (std::size_t i = lo; i < hi; ++i) MulWord(x, w[i]);
        return x;
    }
    const std::size_t mid = lo + (hi - lo) / 2;
    const Limbs l = ProductTree(w, lo, mid, ctx);
    const Limbs r = ProductTree(w, mid, hi, ctx);
    return Mul(l, r, ctx);
}

std::vector<u32> PrimesUpTo(u32 n) {
    std::vector<u32> primes;
    if (n < 2) return primes;
    primes.push_back(2);
    // Odd-only sieve: index i stands for 2i+1.
    const std::size_t half = (n - 1) / 2 + 1;
    std::vector<std::uint8_t> composite(half, 0);
    for (std::size_t i = 1; i < half; ++i) {
        if (composite[i]) continue;
        const u64 p = 2 * i + 1;
        primes.push_back(static_cast<u32>(p));
        for (u64 j = p * p / 2; j < half; j += p) composite[j] = 1;
    }
    return primes;
}

std::string FactorialTextOf(u32 n) {
    const std::vector<u32> primes = PrimesUpTo(n);
    // Exponents, with every 10 = 2*5 taken out.
    std::vector<u32> exps(primes.size());
    for (std::size_t i = 0; i < primes.size(); ++i) {
        u64 e = 0;
        for (u64 q = primes[i]; q <= n; q *= primes[i]) e += n / q;
        exps[i] = static_cast<u32>(e);
    }
    std::size_t zeros = 0;
    if (primes.size() >= 3) {  // primes[2] == 5
        zeros = exps[2];
        exps[0] -= exps[2];
        exps[2] = 0;
    }
    // words[b]: the primes whose exponent has bit b set, packed into words < 10^18.
    constexpr u64 kWordLimit = 1'000'000'000'000'000'000ull;
    std::vector<std::vector<u64>> words(32);
    std::array<u64, 32> acc;
    acc.fill(1);
    int top = -1;
    for (std::size_t i = 0; i < primes.size(); ++i) {
        const u64 p = primes[i];
        u32 b = 0;
        for (u32 e = exps[i]; e != 0; e >>= 1, ++b) {
            if (!(e & 1)) continue;
            if (acc[b] >= kWordLimit / p) {
                words[b].push_back(acc[b]);
                acc[b] = 1;
            }
            acc[b] *= p;
            top = std::max(top, static_cast<int>(b));
        }
    }
    for (int b = 0; b <= top; ++b)
        if (acc[b] > 1) words[b].push_back(acc[b]);

    MulContext ctx;
    Configure(ctx, {});
    Limbs y{1};
    for (int b = top; b >= 0; --b) {
        if (b != top) y = Sqr(y, ctx);
        if (!words[b].empty()) {
            const Limbs q = ProductTree(words[b], 0, words[b].size(), ctx);
            words[b] = {};
            y = Mul(y, q, ctx);
        }
    }
    return DecimalText(y.data(), y.size(), zeros);
}

}  // namespace

std::int64_t FactorialDigitEstimate(std::int32_t num) {
    if (num <= 1) return 1;
    const double log10 = std::lgamma(static_cast<double>(num) + 1.0) / std::log(10.0);
    return static_cast<std::int64_t>(std::floor(log10)) + 1;
}

std::string FactorialText(std::int32_t num) {
    if (num <= 1) return "1";
    if (FactorialDigitEstimate(num) > kMaxFactorialDigits) throw FactorialTooLarge();
    // The products' scratch memory is freed when the work ends, stopped or not: give it back.
    const TrimHeapAfterLongWork trim;
    try {
        return FactorialTextOf(static_cast<std::uint32_t>(num));
    } catch (const std::length_error&) {
        throw std::bad_alloc();
    }
}

}  // namespace calc::bignum
