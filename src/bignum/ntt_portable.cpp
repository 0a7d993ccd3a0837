// The portable loops of the number-theoretic transform (see ntt_kernels.h), and the
// carry pass that turns Garner digits into limbs.
#include "bignum/ntt_kernels.h"

#include <algorithm>

namespace calc::bignum::detail {

void FwdStageScalar(u32* a, std::size_t h, std::size_t count, u32 w, const Modulus& m) {
    const u32 p2 = 2 * m.p;
    for (std::size_t j = 0; j < count; ++j) {
        u32 u = a[j];
        u = u >= p2 ? u - p2 : u;
        u32 v = MontMul(a[j + h], w, m);
        a[j] = u + v;
        a[j + h] = u - v + p2;
    }
}

void InvStageScalar(u32* a, std::size_t h, std::size_t count, u32 w, const Modulus& m) {
    const u32 p2 = 2 * m.p;
    for (std::size_t j = 0; j < count; ++j) {
        u32 u = a[j], v = a[j + h];
        u32 s = u + v;
        a[j] = s >= p2 ? s - p2 : s;
        a[j + h] = MontMul(u - v + p2, w, m);
    }
}

void Fwd4Scalar(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& m) {
    FwdStageScalar(a, 2 * q, count, w1, m);
    FwdStageScalar(a + q, 2 * q, count, w1, m);
    FwdStageScalar(a, q, count, w2, m);
    FwdStageScalar(a + 2 * q, q, count, w3, m);
}

void Fwd4HalfScalar(u32* a, std::size_t q, std::size_t count, u32 w2, u32 w3, const Modulus& m) {
    std::copy(a, a + count, a + 2 * q);
    std::copy(a + q, a + q + count, a + 3 * q);
    FwdStageScalar(a, q, count, w2, m);
    FwdStageScalar(a + 2 * q, q, count, w3, m);
}

void Inv4Scalar(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& m) {
    InvStageScalar(a, q, count, w2, m);
    InvStageScalar(a + 2 * q, q, count, w3, m);
    InvStageScalar(a, 2 * q, count, w1, m);
    InvStageScalar(a + q, 2 * q, count, w1, m);
}

void FwdLeafScalar(u32* a, std::size_t n, std::size_t kb, const u32* z, const Modulus& m) {
    for (std::size_t h = n / 2; h >= 1; h /= 2) {
        const std::size_t blocks = n / (2 * h);
        for (std::size_t t = 0; t < blocks; ++t) FwdStageScalar(a + 2 * h * t, h, h, z[kb * blocks + t], m);
    }
}

void InvLeafScalar(u32* a, std::size_t n, std::size_t kb, const u32* iz, const Modulus& m) {
    for (std::size_t h = 1; h < n; h *= 2) {
        const std::size_t blocks = n / (2 * h);
        for (std::size_t t = 0; t < blocks; ++t) InvStageScalar(a + 2 * h * t, h, h, iz[kb * blocks + t], m);
    }
}

void PointwiseScalar(u32* out, const u32* a, const u32* b, std::size_t n, u32 k, const Modulus& m) {
    const u32 p2 = 2 * m.p;
    for (std::size_t i = 0; i < n; ++i) {
        u32 x = a[i] >= p2 ? a[i] - p2 : a[i];
        u32 y = b[i] >= p2 ? b[i] - p2 : b[i];
        out[i] = MontMul(MontMul(x, y, m), k, m);
    }
}

void LoadScalar(u32* dst, const Limb* src, std::size_t len, std::size_t begin, std::size_t end, const Modulus& m) {
    const u32 p4 = 4 * m.p;
    const std::size_t mid = std::clamp(len, begin, end);
    for (std::size_t i = begin; i < mid; ++i) dst[i] = src[i] >= p4 ? src[i] - p4 : src[i];
    std::fill(dst + mid, dst + end, 0u);
}

void GarnerScalar(u32* r0, u32* r1, u32* r2, std::size_t n) {
    const Modulus& m1 = kMod[1];
    const Modulus& m2 = kMod[2];
    for (std::size_t i = 0; i < n; ++i) {
        const u32 a0 = r0[i] >= P0 ? r0[i] - static_cast<u32>(P0) : r0[i];
        u32 a1 = MontMul(r1[i] + static_cast<u32>(2 * P1) - a0, kGarner1, m1);
        a1 = a1 >= P1 ? a1 - static_cast<u32>(P1) : a1;
        const u32 u = MontMul(r2[i], kGarner2, m2);
        const u32 v = MontMul(a0, kGarner2, m2);
        const u32 w = MontMul(a1, kGarner2p, m2);
        u64 a2 = (u64{u} + 4 * P2 - v - w) % P2;
        r0[i] = a0;
        r1[i] = a1;
        r2[i] = static_cast<u32>(a2);
    }
}

void ScaleTableScalar(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& m) {
    for (std::size_t j = 0; j < n; ++j) {
        u32 x = MontMul(src[j], w, m);
        dst[j] = x >= m.p ? x - m.p : x;
    }
}

u64 CarryRange(const u32* a0, const u32* a1, const u32* a2, std::size_t lo, std::size_t hi, Limb* out) {
    // x = t0 + t1*10^9 with t0 = a0 + p0*a1 + a2*(p0p1 mod 10^9), t1 = a2*(p0p1 div 10^9);
    // split into three limbs d0 + d1*10^9 + d2*10^18 (d2 < 6e7), and add the three
    // overlapping streams with a carry of at most 2.
    u64 pending = 0, d2prev = 0, c = 0;
    for (std::size_t k = lo; k < hi; ++k) {
        const u64 t0 = a0[k] + P0 * a1[k] + a2[k] * kM01Lo;  // < 5.3e17
        const u64 q0 = t0 / kB;
        const u64 hi1 = a2[k] * kM01Hi + q0;  // < 6e16
        const u64 q1 = hi1 / kB;
        const u64 t = (t0 - q0 * kB) + pending + c;  // < 3*10^9
        c = (t >= kB) + (t >= 2 * kB);
        out[k] = static_cast<Limb>(t - c * kB);
        pending = (hi1 - q1 * kB) + d2prev;
        d2prev = q1;
    }
    return pending + c + d2prev * kB;
}

}  // namespace calc::bignum::detail
