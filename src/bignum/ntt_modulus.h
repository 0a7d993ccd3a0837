#pragma once
// Internal: the modular arithmetic of the number-theoretic transform.
//
// Three primes p = c*2^24 + 1 below 2^30. A coefficient of a product has at most
// min(na, nb) terms below (10^9)^2 each; the shorter operand is limited to 2^23
// limbs, which keeps every coefficient below p0*p1*p2 (about 5.9e25), so the Chinese
// remainder theorem recovers it exactly.
//
// Arithmetic is Montgomery with R = 2^32 and lazy reduction: values live in
// [0, 4p) inside the forward transform and [0, 2p) inside the inverse.
#include "bignum/limbs.h"

#include <array>

namespace calc::bignum::detail {

inline constexpr int kMaxLog = 24;  // 2^24 divides p-1 for all three primes

inline constexpr std::array<u32, 3> kPrime = {754974721u, 469762049u, 167772161u};
inline constexpr std::array<u32, 3> kGenerator = {11u, 3u, 3u};

constexpr u32 Inverse32(u32 p) {  // p^-1 mod 2^32 by Newton iteration
    u32 x = p;
    for (int i = 0; i < 5; ++i) x *= 2 - p * x;
    return x;
}

constexpr u64 PowMod(u64 b, u64 e, u64 p) {
    u64 r = 1;
    b %= p;
    while (e) {
        if (e & 1) r = r * b % p;
        b = b * b % p;
        e >>= 1;
    }
    return r;
}

struct Modulus {
    u32 p;
    u32 pinv;  // p^-1 mod 2^32
    u32 r1;    // 2^32 mod p
    u32 r2;    // 2^64 mod p
};

constexpr Modulus MakeModulus(u32 p) {
    u64 r1 = (u64{1} << 32) % p;
    return Modulus{p, Inverse32(p), static_cast<u32>(r1), static_cast<u32>(r1 * r1 % p)};
}

inline constexpr std::array<Modulus, 3> kMod = {MakeModulus(kPrime[0]), MakeModulus(kPrime[1]), MakeModulus(kPrime[2])};

static_assert(kPrime[0] < (1u << 30) && kPrime[1] < (1u << 30) && kPrime[2] < (1u << 30));
static_assert((kPrime[0] - 1) % (1u << kMaxLog) == 0 && (kPrime[1] - 1) % (1u << kMaxLog) == 0 &&
              (kPrime[2] - 1) % (1u << kMaxLog) == 0);
// A limb below 10^9 gets into [0, 4p) with at most one subtraction of 4p.
static_assert(u64{8} * kPrime[2] > kBase);
static_assert(kMod[0].pinv * kPrime[0] == 1u && kMod[1].pinv * kPrime[1] == 1u && kMod[2].pinv * kPrime[2] == 1u);

// a*b/R mod p, in (0, 2p) when a*b < p*2^32.
inline u32 MontMul(u32 a, u32 b, const Modulus& m) {
    u64 t = u64{a} * b;
    u32 q = static_cast<u32>(t) * m.pinv;
    u64 qp = u64{q} * m.p;
    return static_cast<u32>(t >> 32) - static_cast<u32>(qp >> 32) + m.p;
}

constexpr u32 ToMont(u64 x, const Modulus& m) { return static_cast<u32>((x % m.p << 32) % m.p); }

// Chinese remainder constants. A coefficient is x = a0 + p0*a1 + p0*p1*a2 with
// a_i < p_i; the digits a_i come from the residues by Garner's method.
inline constexpr u64 P0 = kPrime[0], P1 = kPrime[1], P2 = kPrime[2];
inline constexpr u64 kInv01 = PowMod(P0 % P1, P1 - 2, P1);          // p0^-1 mod p1
inline constexpr u64 kInv012 = PowMod((P0 * P1) % P2, P2 - 2, P2);  // (p0 p1)^-1 mod p2
inline constexpr u32 kGarner1 = ToMont(kInv01, kMod[1]);
inline constexpr u32 kGarner2 = ToMont(kInv012, kMod[2]);
inline constexpr u32 kGarner2p = ToMont(P0 % P2 * kInv012 % P2, kMod[2]);
inline constexpr u64 kM01Lo = P0 * P1 % kB, kM01Hi = P0 * P1 / kB;  // p0*p1 in radix 10^9
static_assert(P0 * kInv01 % P1 == 1 && (P0 * P1 % P2) * kInv012 % P2 == 1);
static_assert(kM01Hi < kB && P0 < 2 * P1 && 6 * P2 < (u64{1} << 32));
// Largest coefficient: 2^23 terms of (10^9-1)^2 each, below p0*p1*p2.
static_assert(static_cast<long double>(u64{1} << 23) * 999999999.0L * 999999999.0L <
              static_cast<long double>(P0) * static_cast<long double>(P1) * static_cast<long double>(P2));

}  // namespace calc::bignum::detail
