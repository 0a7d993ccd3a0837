#pragma once
// Internal: the loops of the number-theoretic transform, in a portable version
// (ntt_portable.cpp) and an AVX2 version (ntt_avx2.cpp); ntt.cpp picks one set per
// computation.
//
// The forward transform splits a(x) mod (x^2h - c) into a(x) mod (x^h - w) and
// a(x) mod (x^h + w), so each block of a stage uses a single twiddle w. The twiddle
// of block k is the same at every stage and for every length (z[k] = W^bitrev(k)),
// so one table serves all transforms (ntt_twiddles.h). The output is in a scrambled
// order, which the pointwise product does not care about; the inverse walks the
// stages backwards.
#include "bignum/cpu.h"
#include "bignum/limbs.h"
#include "bignum/ntt_modulus.h"

#include <cstddef>

namespace calc::bignum::detail {

// ----- portable kernels -----

// Pairs (a[j], a[j+h]) for j < count, one twiddle.
void FwdStageScalar(u32* a, std::size_t h, std::size_t count, u32 w, const Modulus& m);
void InvStageScalar(u32* a, std::size_t h, std::size_t count, u32 w, const Modulus& m);
// Two stages at once on a block of 4q: pairs (j, j+2q) and (j+q, j+3q) with w1,
// then (j, j+q) with w2 and (j+2q, j+3q) with w3, for j < count.
void Fwd4Scalar(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& m);
// Fwd4Scalar for a block whose upper half is zero: the first stage only copies.
void Fwd4HalfScalar(u32* a, std::size_t q, std::size_t count, u32 w2, u32 w3, const Modulus& m);
void Inv4Scalar(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& m);
// All stages of the block a[0..n) whose block index at its first stage is kb.
void FwdLeafScalar(u32* a, std::size_t n, std::size_t kb, const u32* z, const Modulus& m);
void InvLeafScalar(u32* a, std::size_t n, std::size_t kb, const u32* iz, const Modulus& m);
// out = MontMul(MontMul(a, b), k).
void PointwiseScalar(u32* out, const u32* a, const u32* b, std::size_t n, u32 k, const Modulus& m);
// dst[i] for i in [begin, end): src[i] brought into [0, 4p), or 0 past len.
void LoadScalar(u32* dst, const Limb* src, std::size_t len, std::size_t begin, std::size_t end, const Modulus& m);
// Garner digits, in place: residues (r0, r1, r2) in [0, 2p_i) become (a0, a1, a2).
void GarnerScalar(u32* r0, u32* r1, u32* r2, std::size_t n);
// dst[j] = src[j]*w/R mod p, fully reduced, for j < n.
void ScaleTableScalar(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& m);

// Limbs of sum_k x_k 10^(9(k-lo)) over coefficients k in [lo, hi), x_k given by its
// Garner digits, into out[lo..hi); returns what is left above out[hi-1] (< 2^63).
u64 CarryRange(const u32* a0, const u32* a1, const u32* a2, std::size_t lo, std::size_t hi, Limb* out);

// ----- AVX2 kernels: as above; counts and lengths as noted -----
#if CALC_HAVE_AVX2_KERNELS

// count a multiple of 8.
CALC_AVX2 void FwdStageAvx2(u32* a, std::size_t h, std::size_t count, u32 w, const Modulus& mod);
CALC_AVX2 void InvStageAvx2(u32* a, std::size_t h, std::size_t count, u32 w, const Modulus& mod);
CALC_AVX2 void Fwd4Avx2(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& mod);
CALC_AVX2 void Fwd4HalfAvx2(u32* a, std::size_t q, std::size_t count, u32 w2, u32 w3, const Modulus& mod);
CALC_AVX2 void Inv4Avx2(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& mod);
// n a power of two, at least 16.
CALC_AVX2 void FwdLeafAvx2(u32* a, std::size_t n, std::size_t kb, const u32* z, const Modulus& m);
CALC_AVX2 void InvLeafAvx2(u32* a, std::size_t n, std::size_t kb, const u32* iz, const Modulus& m);
// n a multiple of 8.
CALC_AVX2 void PointwiseAvx2(u32* out, const u32* a, const u32* b, std::size_t n, u32 k, const Modulus& mod);
CALC_AVX2 void LoadAvx2(u32* dst, const Limb* src, std::size_t len, std::size_t begin, std::size_t end,
                        const Modulus& mod);
CALC_AVX2 void GarnerAvx2(u32* r0, u32* r1, u32* r2, std::size_t n);
// n a multiple of 8.
CALC_AVX2 void ScaleTableAvx2(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& mod);

#endif  // CALC_HAVE_AVX2_KERNELS

}  // namespace calc::bignum::detail
