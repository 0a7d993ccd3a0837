// The AVX2 loops of the number-theoretic transform (see ntt_kernels.h): eight
// residues per register, Montgomery products on the even and odd lanes.
#include "bignum/ntt_kernels.h"

#if CALC_HAVE_AVX2_KERNELS

#include <immintrin.h>

#include <algorithm>

namespace calc::bignum::detail {
namespace {

struct VecMod {
    __m256i p, p2, pinv;
};

CALC_AVX2 inline VecMod MakeVecMod(const Modulus& m) {
    return VecMod{_mm256_set1_epi32(static_cast<int>(m.p)), _mm256_set1_epi32(static_cast<int>(2 * m.p)),
                  _mm256_set1_epi32(static_cast<int>(m.pinv))};
}

CALC_AVX2 inline __m256i Reduce(__m256i x, __m256i bound) { return _mm256_min_epu32(x, _mm256_sub_epi32(x, bound)); }

// a*w/R for eight lanes; wq = w*pinv mod 2^32 per lane.
CALC_AVX2 inline __m256i MontMulV(__m256i a, __m256i w, __m256i wq, const VecMod& m) {
    __m256i te = _mm256_mul_epu32(a, w);
    __m256i to = _mm256_mul_epu32(_mm256_srli_epi64(a, 32), _mm256_srli_epi64(w, 32));
    __m256i q = _mm256_mullo_epi32(a, wq);
    __m256i qe = _mm256_mul_epu32(q, m.p);
    __m256i qo = _mm256_mul_epu32(_mm256_srli_epi64(q, 32), m.p);
    __m256i th = _mm256_blend_epi32(_mm256_srli_epi64(te, 32), to, 0xAA);
    __m256i qh = _mm256_blend_epi32(_mm256_srli_epi64(qe, 32), qo, 0xAA);
    return _mm256_add_epi32(_mm256_sub_epi32(th, qh), m.p);
}

CALC_AVX2 inline void FwdButterfly(__m256i& u, __m256i& v, __m256i w, __m256i wq, const VecMod& m) {
    __m256i x = Reduce(u, m.p2);
    __m256i y = MontMulV(v, w, wq, m);
    u = _mm256_add_epi32(x, y);
    v = _mm256_add_epi32(_mm256_sub_epi32(x, y), m.p2);
}

CALC_AVX2 inline void InvButterfly(__m256i& u, __m256i& v, __m256i w, __m256i wq, const VecMod& m) {
    __m256i s = Reduce(_mm256_add_epi32(u, v), m.p2);
    __m256i d = _mm256_add_epi32(_mm256_sub_epi32(u, v), m.p2);
    u = s;
    v = MontMulV(d, w, wq, m);
}

CALC_AVX2 inline __m256i Load(const u32* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
CALC_AVX2 inline void Store(u32* p, __m256i x) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), x); }

}  // namespace

// Pairs (a[j], a[j+h]) for j < count (a multiple of 8), one twiddle.
CALC_AVX2 void FwdStageAvx2(u32* a, std::size_t h, std::size_t count, u32 w, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    const __m256i vw = _mm256_set1_epi32(static_cast<int>(w));
    const __m256i vwq = _mm256_set1_epi32(static_cast<int>(w * mod.pinv));
    for (std::size_t j = 0; j < count; j += 8) {
        __m256i u = Load(a + j), v = Load(a + j + h);
        FwdButterfly(u, v, vw, vwq, m);
        Store(a + j, u);
        Store(a + j + h, v);
    }
}

CALC_AVX2 void InvStageAvx2(u32* a, std::size_t h, std::size_t count, u32 w, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    const __m256i vw = _mm256_set1_epi32(static_cast<int>(w));
    const __m256i vwq = _mm256_set1_epi32(static_cast<int>(w * mod.pinv));
    for (std::size_t j = 0; j < count; j += 8) {
        __m256i u = Load(a + j), v = Load(a + j + h);
        InvButterfly(u, v, vw, vwq, m);
        Store(a + j, u);
        Store(a + j + h, v);
    }
}

CALC_AVX2 void Fwd4Avx2(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    const __m256i v1 = _mm256_set1_epi32(static_cast<int>(w1));
    const __m256i v1q = _mm256_set1_epi32(static_cast<int>(w1 * mod.pinv));
    const __m256i v2 = _mm256_set1_epi32(static_cast<int>(w2));
    const __m256i v2q = _mm256_set1_epi32(static_cast<int>(w2 * mod.pinv));
    const __m256i v3 = _mm256_set1_epi32(static_cast<int>(w3));
    const __m256i v3q = _mm256_set1_epi32(static_cast<int>(w3 * mod.pinv));
    for (std::size_t j = 0; j < count; j += 8) {
        __m256i x0 = Load(a + j), x1 = Load(a + j + q), x2 = Load(a + j + 2 * q), x3 = Load(a + j + 3 * q);
        FwdButterfly(x0, x2, v1, v1q, m);
        FwdButterfly(x1, x3, v1, v1q, m);
        FwdButterfly(x0, x1, v2, v2q, m);
        FwdButterfly(x2, x3, v3, v3q, m);
        Store(a + j, x0);
        Store(a + j + q, x1);
        Store(a + j + 2 * q, x2);
        Store(a + j + 3 * q, x3);
    }
}

CALC_AVX2 void Fwd4HalfAvx2(u32* a, std::size_t q, std::size_t count, u32 w2, u32 w3, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    const __m256i v2 = _mm256_set1_epi32(static_cast<int>(w2));
    const __m256i v2q = _mm256_set1_epi32(static_cast<int>(w2 * mod.pinv));
    const __m256i v3 = _mm256_set1_epi32(static_cast<int>(w3));
    const __m256i v3q = _mm256_set1_epi32(static_cast<int>(w3 * mod.pinv));
    for (std::size_t j = 0; j < count; j += 8) {
        __m256i x0 = Load(a + j), x1 = Load(a + j + q);
        __m256i x2 = x0, x3 = x1;
        FwdButterfly(x0, x1, v2, v2q, m);
        FwdButterfly(x2, x3, v3, v3q, m);
        Store(a + j, x0);
        Store(a + j + q, x1);
        Store(a + j + 2 * q, x2);
        Store(a + j + 3 * q, x3);
    }
}

CALC_AVX2 void Inv4Avx2(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    const __m256i v1 = _mm256_set1_epi32(static_cast<int>(w1));
    const __m256i v1q = _mm256_set1_epi32(static_cast<int>(w1 * mod.pinv));
    const __m256i v2 = _mm256_set1_epi32(static_cast<int>(w2));
    const __m256i v2q = _mm256_set1_epi32(static_cast<int>(w2 * mod.pinv));
    const __m256i v3 = _mm256_set1_epi32(static_cast<int>(w3));
    const __m256i v3q = _mm256_set1_epi32(static_cast<int>(w3 * mod.pinv));
    for (std::size_t j = 0; j < count; j += 8) {
        __m256i x0 = Load(a + j), x1 = Load(a + j + q), x2 = Load(a + j + 2 * q), x3 = Load(a + j + 3 * q);
        InvButterfly(x0, x1, v2, v2q, m);
        InvButterfly(x2, x3, v3, v3q, m);
        InvButterfly(x0, x2, v1, v1q, m);
        InvButterfly(x1, x3, v1, v1q, m);
        Store(a + j, x0);
        Store(a + j + q, x1);
        Store(a + j + 2 * q, x2);
        Store(a + j + 3 * q, x3);
    }
}

namespace {

// The stages with h = 4, 2, 1 work on pairs of vectors x = a[s..s+8),
// y = a[s+8..s+16), gathered into u (first halves) and v (second halves). These
// give the twiddle each lane of u and v needs, from the twiddles of the blocks.
CALC_AVX2 inline __m256i Twiddle4(const u32* z) {
    __m256i t = _mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(z)));
    return _mm256_permutevar8x32_epi32(t, _mm256_setr_epi32(0, 0, 0, 0, 1, 1, 1, 1));
}
CALC_AVX2 inline __m256i Twiddle2(const u32* z) {
    __m256i t = _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(z)));
    return _mm256_permutevar8x32_epi32(t, _mm256_setr_epi32(0, 0, 2, 2, 1, 1, 3, 3));
}
CALC_AVX2 inline __m256i Twiddle1(const u32* z) {
    return _mm256_permutevar8x32_epi32(Load(z), _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7));
}
CALC_AVX2 inline __m256i EvenLanes(__m256i x, __m256i y) {
    return _mm256_castps_si256(
        _mm256_shuffle_ps(_mm256_castsi256_ps(x), _mm256_castsi256_ps(y), _MM_SHUFFLE(2, 0, 2, 0)));
}
CALC_AVX2 inline __m256i OddLanes(__m256i x, __m256i y) {
    return _mm256_castps_si256(
        _mm256_shuffle_ps(_mm256_castsi256_ps(x), _mm256_castsi256_ps(y), _MM_SHUFFLE(3, 1, 3, 1)));
}

// Stages h = 4, 2, 1 of a[0..n), n a multiple of 16; z4/z2/z1 are the twiddles of
// the first block at each of those stages.
CALC_AVX2 void FwdLast3Avx2(u32* a, std::size_t n, const u32* z4, const u32* z2, const u32* z1, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    for (std::size_t s = 0; s < n; s += 16) {
        __m256i x = Load(a + s), y = Load(a + s + 8);
        __m256i w = Twiddle4(z4 + s / 8);
        __m256i u = _mm256_permute2x128_si256(x, y, 0x20), v = _mm256_permute2x128_si256(x, y, 0x31);
        FwdButterfly(u, v, w, _mm256_mullo_epi32(w, m.pinv), m);
        x = _mm256_permute2x128_si256(u, v, 0x20);
        y = _mm256_permute2x128_si256(u, v, 0x31);

        w = Twiddle2(z2 + s / 4);
        u = _mm256_unpacklo_epi64(x, y);
        v = _mm256_unpackhi_epi64(x, y);
        FwdButterfly(u, v, w, _mm256_mullo_epi32(w, m.pinv), m);
        x = _mm256_unpacklo_epi64(u, v);
        y = _mm256_unpackhi_epi64(u, v);

        w = Twiddle1(z1 + s / 2);
        u = EvenLanes(x, y);
        v = OddLanes(x, y);
        FwdButterfly(u, v, w, _mm256_mullo_epi32(w, m.pinv), m);
        Store(a + s, _mm256_unpacklo_epi32(u, v));
        Store(a + s + 8, _mm256_unpackhi_epi32(u, v));
    }
}

CALC_AVX2 void InvFirst3Avx2(u32* a, std::size_t n, const u32* z4, const u32* z2, const u32* z1, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    for (std::size_t s = 0; s < n; s += 16) {
        __m256i x = Load(a + s), y = Load(a + s + 8);
        __m256i w = Twiddle1(z1 + s / 2);
        __m256i u = EvenLanes(x, y), v = OddLanes(x, y);
        InvButterfly(u, v, w, _mm256_mullo_epi32(w, m.pinv), m);
        x = _mm256_unpacklo_epi32(u, v);
        y = _mm256_unpackhi_epi32(u, v);

        w = Twiddle2(z2 + s / 4);
        u = _mm256_unpacklo_epi64(x, y);
        v = _mm256_unpackhi_epi64(x, y);
        InvButterfly(u, v, w, _mm256_mullo_epi32(w, m.pinv), m);
        x = _mm256_unpacklo_epi64(u, v);
        y = _mm256_unpackhi_epi64(u, v);

        w = Twiddle4(z4 + s / 8);
        u = _mm256_permute2x128_si256(x, y, 0x20);
        v = _mm256_permute2x128_si256(x, y, 0x31);
        InvButterfly(u, v, w, _mm256_mullo_epi32(w, m.pinv), m);
        Store(a + s, _mm256_permute2x128_si256(u, v, 0x20));
        Store(a + s + 8, _mm256_permute2x128_si256(u, v, 0x31));
    }
}

}  // namespace

// Stages h = n/2 .. 8 two at a time (one lone stage h = 8 when their number is
// odd), then h = 4, 2, 1 in registers.
CALC_AVX2 void FwdLeafAvx2(u32* a, std::size_t n, std::size_t kb, const u32* z, const Modulus& m) {
    std::size_t h = n / 2;
    for (; h >= 16; h /= 4) {
        const std::size_t blocks = n / (2 * h);
        for (std::size_t t = 0; t < blocks; ++t) {
            const std::size_t k = kb * blocks + t;
            Fwd4Avx2(a + 2 * h * t, h / 2, h / 2, z[k], z[2 * k], z[2 * k + 1], m);
        }
    }
    if (h == 8) {
        const std::size_t blocks = n / 16;
        for (std::size_t t = 0; t < blocks; ++t) FwdStageAvx2(a + 16 * t, 8, 8, z[kb * blocks + t], m);
    }
    FwdLast3Avx2(a, n, z + kb * (n / 8), z + kb * (n / 4), z + kb * (n / 2), m);
}

CALC_AVX2 void InvLeafAvx2(u32* a, std::size_t n, std::size_t kb, const u32* iz, const Modulus& m) {
    InvFirst3Avx2(a, n, iz + kb * (n / 8), iz + kb * (n / 4), iz + kb * (n / 2), m);
    // Mirror of the forward order: the lone stage (if any) comes first.
    int stages = 0;
    for (std::size_t h = 8; h < n; h *= 2) ++stages;
    std::size_t h = 8;
    if (stages % 2 == 1) {
        const std::size_t blocks = n / 16;
        for (std::size_t t = 0; t < blocks; ++t) InvStageAvx2(a + 16 * t, 8, 8, iz[kb * blocks + t], m);
        h = 16;
    }
    for (; h < n; h *= 4) {
        // Stages h and 2h: blocks of 4h, twiddle of the 2h stage k, of the h stage 2k, 2k+1.
        const std::size_t blocks = n / (4 * h);
        for (std::size_t t = 0; t < blocks; ++t) {
            const std::size_t k = kb * blocks + t;
            Inv4Avx2(a + 4 * h * t, h, h, iz[k], iz[2 * k], iz[2 * k + 1], m);
        }
    }
}

// out = MontMul(MontMul(a, b), k), n a multiple of 8.
CALC_AVX2 void PointwiseAvx2(u32* out, const u32* a, const u32* b, std::size_t n, u32 k, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    const __m256i vk = _mm256_set1_epi32(static_cast<int>(k));
    const __m256i vkq = _mm256_set1_epi32(static_cast<int>(k * mod.pinv));
    for (std::size_t i = 0; i < n; i += 8) {
        __m256i x = Reduce(Load(a + i), m.p2);
        __m256i y = Reduce(Load(b + i), m.p2);
        __m256i xy = MontMulV(x, y, _mm256_mullo_epi32(y, m.pinv), m);
        Store(out + i, MontMulV(xy, vk, vkq, m));
    }
}

CALC_AVX2 void LoadAvx2(u32* dst, const Limb* src, std::size_t len, std::size_t begin, std::size_t end,
                        const Modulus& mod) {
    const __m256i p4 = _mm256_set1_epi32(static_cast<int>(4 * mod.p));
    const std::size_t mid = std::clamp(len, begin, end);
    std::size_t i = begin;
    for (; i + 8 <= mid; i += 8) Store(dst + i, Reduce(Load(src + i), p4));
    for (; i < mid; ++i) dst[i] = src[i] >= 4 * mod.p ? src[i] - 4 * mod.p : src[i];
    std::fill(dst + mid, dst + end, 0u);
}

CALC_AVX2 void GarnerAvx2(u32* r0, u32* r1, u32* r2, std::size_t n) {
    const VecMod m1 = MakeVecMod(kMod[1]);
    const VecMod m2 = MakeVecMod(kMod[2]);
    const __m256i p0 = _mm256_set1_epi32(static_cast<int>(P0));
    const __m256i p2x4 = _mm256_set1_epi32(static_cast<int>(4 * P2));
    const __m256i g1 = _mm256_set1_epi32(static_cast<int>(kGarner1));
    const __m256i g1q = _mm256_set1_epi32(static_cast<int>(kGarner1 * kMod[1].pinv));
    const __m256i g2 = _mm256_set1_epi32(static_cast<int>(kGarner2));
    const __m256i g2q = _mm256_set1_epi32(static_cast<int>(kGarner2 * kMod[2].pinv));
    const __m256i g2p = _mm256_set1_epi32(static_cast<int>(kGarner2p));
    const __m256i g2pq = _mm256_set1_epi32(static_cast<int>(kGarner2p * kMod[2].pinv));
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        __m256i a0 = Reduce(Load(r0 + i), p0);
        __m256i d = _mm256_sub_epi32(_mm256_add_epi32(Load(r1 + i), m1.p2), a0);  // (0, 4p1)
        __m256i a1 = Reduce(MontMulV(d, g1, g1q, m1), m1.p);
        __m256i u = MontMulV(Load(r2 + i), g2, g2q, m2);
        __m256i v = MontMulV(a0, g2, g2q, m2);
        __m256i w = MontMulV(a1, g2p, g2pq, m2);
        __m256i a2 = _mm256_sub_epi32(_mm256_sub_epi32(_mm256_add_epi32(u, p2x4), v), w);  // (0, 6p2)
        a2 = Reduce(Reduce(Reduce(a2, p2x4), m2.p2), m2.p);
        Store(r0 + i, a0);
        Store(r1 + i, a1);
        Store(r2 + i, a2);
    }
    GarnerScalar(r0 + i, r1 + i, r2 + i, n - i);
}

CALC_AVX2 void ScaleTableAvx2(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& mod) {
    const VecMod m = MakeVecMod(mod);
    const __m256i vw = _mm256_set1_epi32(static_cast<int>(w));
    const __m256i vwq = _mm256_set1_epi32(static_cast<int>(w * mod.pinv));
    for (std::size_t j = 0; j < n; j += 8) Store(dst + j, Reduce(MontMulV(Load(src + j), vw, vwq, m), m.p));
}

}  // namespace calc::bignum::detail

#endif  // CALC_HAVE_AVX2_KERNELS
