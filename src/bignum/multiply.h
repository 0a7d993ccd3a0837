#pragma once
// Internal: the state of one computation's products, and the product routines by
// method. The routines on limb pointers write all na+nb (or 2n) limbs of the product
// to out, high zero limbs included.
#include "bignum/bignum.h"
#include "bignum/limbs.h"
#include "bignum/ntt_modulus.h"
#include "bignum/ntt_twiddles.h"
#include "work/scratch.h"

#include <cstddef>

namespace calc::bignum::detail {

using work::Scratch;
using work::TwoThreads;

// Size thresholds in limbs of the shorter operand: schoolbook below `karatsuba`,
// Karatsuba below `ntt`, the transform from there on. Measured on x86-64: with the
// AVX2 kernels the schoolbook holds its own right up to where the transform takes
// over; the portable kernels leave a band for Karatsuba.
struct Thresholds {
    std::size_t karatsuba, ntt, sqrKaratsuba, sqrNtt;
};
inline constexpr Thresholds kVectorThresholds{160, 160, 192, 192};
inline constexpr Thresholds kPortableThresholds{64, 640, 64, 448};
// Transforms from this length on are split between two threads.
inline constexpr std::size_t kThreadMinLength = std::size_t{1} << 16;

// Settings, tables and scratch memory shared by the products of one computation.
struct MulContext {
    bool allowNtt = true;
    bool vectorKernels = false;
    Thresholds thresholds = kPortableThresholds;
    bool threads = true;
    std::size_t maxLen = std::size_t{1} << kMaxLog;
    Twiddles tw;
    Scratch transformsA, transformsB;
    Limbs piece;
    TwoThreads pair;
};

// Settings from the public options; Configure(ctx, {}) is what the factorial uses.
void Configure(MulContext& ctx, const MulOptions& o);

// By size (multiply.cpp).
void MulInto(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, MulContext& ctx);
void SqrInto(const Limb* a, std::size_t n, Limb* out, MulContext& ctx);
// Products too large for one transform: the longer operand split in two.
void SplitMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, MulContext& ctx);
// Trimmed products of trimmed operands, by size (the steps of the factorial).
Limbs Mul(const Limbs& a, const Limbs& b, MulContext& ctx);
Limbs Sqr(const Limbs& a, MulContext& ctx);

// Schoolbook and Karatsuba (schoolbook.cpp). The Karatsuba parts go through
// MulInto/SqrInto.
void SchoolbookMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, bool vectorKernels);
// Balanced: both n limbs.
void KaratsubaMul(const Limb* a, const Limb* b, std::size_t n, Limb* out, MulContext& ctx);
void KaratsubaSqr(const Limb* a, std::size_t n, Limb* out, MulContext& ctx);
// a (na limbs) times b (nb <= na) as a sequence of nb-limb pieces of a.
void PiecewiseMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, MulContext& ctx);

// Number-theoretic transform (ntt.cpp). NttMul needs na >= nb and 2*nb <= ctx.maxLen,
// NttSquare 2*n <= ctx.maxLen.
void NttMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, MulContext& ctx);
void NttSquare(const Limb* a, std::size_t n, Limb* out, MulContext& ctx);

inline std::size_t CeilPow2(std::size_t x) {
    std::size_t n = 1;
    while (n < x) n *= 2;
    return n;
}

}  // namespace calc::bignum::detail
