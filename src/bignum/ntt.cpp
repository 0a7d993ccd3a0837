// Products by number-theoretic transform: three cyclic convolutions, one per prime,
// joined by the Chinese remainder theorem. Large transforms are split between the
// calling thread and the helper thread.
#include "bignum/cpu.h"
#include "bignum/multiply.h"
#include "bignum/ntt_kernels.h"
#include "work/stop.h"

#include <algorithm>

namespace calc::bignum::detail {
namespace {

int Log2(std::size_t n) {
    int k = 0;
    while ((std::size_t{1} << k) < n) ++k;
    return k;
}

// The transform kernels of one computation, chosen once.
struct Kernels {
    const Twiddles* tw;
    bool vectorKernels;

    void Load(u32* dst, const Limb* src, std::size_t len, std::size_t begin, std::size_t end, int i) const {
#if CALC_HAVE_AVX2_KERNELS
        if (vectorKernels) return LoadAvx2(dst, src, len, begin, end, kMod[i]);
#endif
        LoadScalar(dst, src, len, begin, end, kMod[i]);
    }
    void FwdStage(u32* a, std::size_t h, std::size_t count, std::size_t kb, int i) const {
#if CALC_HAVE_AVX2_KERNELS
        if (vectorKernels && count % 8 == 0) return FwdStageAvx2(a, h, count, tw->Forward(i)[kb], kMod[i]);
#endif
        FwdStageScalar(a, h, count, tw->Forward(i)[kb], kMod[i]);
    }
    void InvStage(u32* a, std::size_t h, std::size_t count, std::size_t kb, int i) const {
#if CALC_HAVE_AVX2_KERNELS
        if (vectorKernels && count % 8 == 0) return InvStageAvx2(a, h, count, tw->Inverse(i)[kb], kMod[i]);
#endif
        InvStageScalar(a, h, count, tw->Inverse(i)[kb], kMod[i]);
    }
    // Stages n/2 and n/4 of the block a[0..n) with block index kb, for the pairs
    // starting at j in [j0, j0 + count) of each quarter.
    void Fwd4(u32* a, std::size_t n, std::size_t kb, std::size_t j0, std::size_t count, int i) const {
        const u32* z = tw->Forward(i);
#if CALC_HAVE_AVX2_KERNELS
        if (vectorKernels && count % 8 == 0)
            return Fwd4Avx2(a + j0, n / 4, count, z[kb], z[2 * kb], z[2 * kb + 1], kMod[i]);
#endif
        Fwd4Scalar(a + j0, n / 4, count, z[kb], z[2 * kb], z[2 * kb + 1], kMod[i]);
    }
    // Fwd4 at the top (block 0) when a[n/2..n) is zero and need not be read.
    void Fwd4Half(u32* a, std::size_t n, std::size_t j0, std::size_t count, int i) const {
        const u32* z = tw->Forward(i);
#if CALC_HAVE_AVX2_KERNELS
        if (vectorKernels && count % 8 == 0) return Fwd4HalfAvx2(a + j0, n / 4, count, z[0], z[1], kMod[i]);
#endif
        Fwd4HalfScalar(a + j0, n / 4, count, z[0], z[1], kMod[i]);
    }
    void Inv4(u32* a, std::size_t n, std::size_t kb, std::size_t j0, std::size_t count, int i) const {
        const u32* iz = tw->Inverse(i);
#if CALC_HAVE_AVX2_KERNELS
        if (vectorKernels && count % 8 == 0)
            return Inv4Avx2(a + j0, n / 4, count, iz[kb], iz[2 * kb], iz[2 * kb + 1], kMod[i]);
#endif
        Inv4Scalar(a + j0, n / 4, count, iz[kb], iz[2 * kb], iz[2 * kb + 1], kMod[i]);
    }

    // The whole forward transform of the block a[0..n) with block index kb:
    // two stages per pass over the data down to blocks that fit the L1 cache.
    static constexpr std::size_t kLeaf = std::size_t{1} << 12;
    void Forward(u32* a, std::size_t n, std::size_t kb, int i) const {
        if (n <= kLeaf) {
#if CALC_HAVE_AVX2_KERNELS
            if (vectorKernels && n >= 16) return FwdLeafAvx2(a, n, kb, tw->Forward(i), kMod[i]);
#endif
            return FwdLeafScalar(a, n, kb, tw->Forward(i), kMod[i]);
        }
        ThrowIfStopRequested();  // once per 4096 words or more: every few microseconds
        if (n < 4 * kLeaf) {
            FwdStage(a, n / 2, n / 2, kb, i);
            Forward(a, n / 2, 2 * kb, i);
            Forward(a + n / 2, n / 2, 2 * kb + 1, i);
            return;
        }
        Fwd4(a, n, kb, 0, n / 4, i);
        for (std::size_t t = 0; t < 4; ++t) Forward(a + t * (n / 4), n / 4, 4 * kb + t, i);
    }
    // Loads `len` limbs of src into a[0..n) and transforms them.
    void LoadForward(u32* a, std::size_t n, const Limb* src, std::size_t len, int i) const {
        if (len <= n / 2 && n >= 4 * kLeaf) {
            Load(a, src, len, 0, n / 2, i);
            Fwd4Half(a, n, 0, n / 4, i);
            for (std::size_t t = 0; t < 4; ++t) Forward(a + t * (n / 4), n / 4, t, i);
            return;
        }
        Load(a, src, len, 0, n, i);
        Forward(a, n, 0, i);
    }
    void Inverse(u32* a, std::size_t n, std::size_t kb, int i) const {
        if (n <= kLeaf) {
#if CALC_HAVE_AVX2_KERNELS
            if (vectorKernels && n >= 16) return InvLeafAvx2(a, n, kb, tw->Inverse(i), kMod[i]);
#endif
            return InvLeafScalar(a, n, kb, tw->Inverse(i), kMod[i]);
        }
        ThrowIfStopRequested();
        if (n < 4 * kLeaf) {
            Inverse(a, n / 2, 2 * kb, i);
            Inverse(a + n / 2, n / 2, 2 * kb + 1, i);
            InvStage(a, n / 2, n / 2, kb, i);
            return;
        }
        for (std::size_t t = 0; t < 4; ++t) Inverse(a + t * (n / 4), n / 4, 4 * kb + t, i);
        Inv4(a, n, kb, 0, n / 4, i);
    }
    // out[0..n) = a*b/len elementwise, ready for the inverse transform of length len.
    void Pointwise(u32* out, const u32* a, const u32* b, std::size_t n, std::size_t len, int i) const {
        const Modulus& m = kMod[i];
        // k = R^2/len, so that MontMul(MontMul(x, y), k) = x*y/len.
        const u32 k = static_cast<u32>(PowMod(len % m.p, m.p - 2, m.p) * m.r2 % m.p);
#if CALC_HAVE_AVX2_KERNELS
        if (vectorKernels && n % 8 == 0) return PointwiseAvx2(out, a, b, n, k, m);
#endif
        PointwiseScalar(out, a, b, n, k, m);
    }
    void Garner(u32* r0, u32* r1, u32* r2, std::size_t n) const {
#if CALC_HAVE_AVX2_KERNELS
        if (vectorKernels) return GarnerAvx2(r0, r1, r2, n);
#endif
        GarnerScalar(r0, r1, r2, n);
    }
};

// What the second factor of a cyclic convolution is.
enum class Second { Same, AsLimbs, Transformed };

// Cyclic convolution of length len for all three primes, followed by the Chinese
// remainder step: out[0..count] gets the limbs of the first `count` coefficients.
// transformsA holds 3*len words of scratch; transformsB holds the second factor's transforms
// (filled here from b for AsLimbs, given for Transformed, unused for Same).
void ConvolveOnOneThread(std::size_t len, const Limb* a, std::size_t na, Second second, const Limb* b, std::size_t nb,
                         u32* transformsA, u32* transformsB, std::size_t count, Limb* out, const Kernels& k) {
    for (int i = 0; i < 3; ++i) {
        u32* x = transformsA + i * len;
        u32* y = transformsB != nullptr ? transformsB + i * len : nullptr;
        k.LoadForward(x, len, a, na, i);
        if (second == Second::AsLimbs) k.LoadForward(y, len, b, nb, i);
        k.Pointwise(x, x, second == Second::Same ? x : y, len, len, i);
        k.Inverse(x, len, 0, i);
    }
    k.Garner(transformsA, transformsA + len, transformsA + 2 * len, count);
    out[count] = static_cast<Limb>(CarryRange(transformsA, transformsA + len, transformsA + 2 * len, 0, count, out));
}

// The carries of Convolve on two threads: each does half the coefficients; the first
// half's overflow is added into the second half afterwards.
void CarryOnTwoThreads(const u32* transformsA, std::size_t len, std::size_t count, Limb* out, MulContext& ctx) {
    const std::size_t mid = count / 2;
    u64 overflow[2] = {0, 0};
    ctx.pair.Run([&](int part) {
        const std::size_t lo = part == 0 ? 0 : mid, hi = part == 0 ? mid : count;
        overflow[part] = CarryRange(transformsA, transformsA + len, transformsA + 2 * len, lo, hi, out);
    });
    out[count] = static_cast<Limb>(overflow[1]);
    AddWordInPlace(out + mid, count + 1 - mid, overflow[0]);
}

void Convolve(std::size_t len, const Limb* a, std::size_t na, Second second, const Limb* b, std::size_t nb,
              u32* transformsA, u32* transformsB, std::size_t count, Limb* out, MulContext& ctx) {
    const Kernels k{&ctx.tw, ctx.vectorKernels};
    if (!ctx.threads || len < kThreadMinLength)
        return ConvolveOnOneThread(len, a, na, second, b, nb, transformsA, transformsB, count, out, k);
    // Two threads. The top two stages combine the four quarters elementwise; each
    // thread takes half of the positions j, then two of the quarters for all the
    // remaining stages (which never cross quarters) and the pointwise product, then
    // half of the positions again for the top two inverse stages and the Garner step.
    const std::size_t quarter = len / 4, half = quarter / 2;
    ctx.pair.Run([&](int part) {
        const std::size_t j0 = part * half;
        auto loadTop = [&](u32* x, const Limb* src, std::size_t ns, int i) {
            const bool upperZero = ns <= 2 * quarter;
            for (std::size_t t = 0; t < (upperZero ? 2u : 4u); ++t)
                k.Load(x, src, ns, t * quarter + j0, t * quarter + j0 + half, i);
            if (upperZero)
                k.Fwd4Half(x, len, j0, half, i);
            else
                k.Fwd4(x, len, 0, j0, half, i);
        };
        for (int i = 0; i < 3; ++i) {
            ThrowIfStopRequested();
            loadTop(transformsA + i * len, a, na, i);
            if (second == Second::AsLimbs) loadTop(transformsB + i * len, b, nb, i);
        }
    });
    ctx.pair.Run([&](int part) {
        for (int i = 0; i < 3; ++i) {
            for (std::size_t t = 2 * std::size_t(part); t < 2 * std::size_t(part) + 2; ++t) {
                u32* x = transformsA + i * len + t * quarter;
                u32* y = transformsB != nullptr ? transformsB + i * len + t * quarter : nullptr;
                k.Forward(x, quarter, t, i);
                if (second == Second::AsLimbs) k.Forward(y, quarter, t, i);
                k.Pointwise(x, x, second == Second::Same ? x : y, quarter, len, i);
                ThrowIfStopRequested();
                k.Inverse(x, quarter, t, i);
            }
        }
    });
    ctx.pair.Run([&](int part) {
        const std::size_t j0 = part * half;
        for (int i = 0; i < 3; ++i) {
            ThrowIfStopRequested();
            k.Inv4(transformsA + i * len, len, 0, j0, half, i);
        }
        for (std::size_t t = 0; t < 4; ++t) {
            ThrowIfStopRequested();
            const std::size_t s = t * quarter + j0, e = std::min(s + half, count);
            if (s < e) k.Garner(transformsA + s, transformsA + len + s, transformsA + 2 * len + s, e - s);
        }
    });
    CarryOnTwoThreads(transformsA, len, count, out, ctx);
}

// Transform length for a product of na x nb limbs (na >= nb) with a cut into
// chunks: the one with the least estimated work.
std::size_t ChooseLength(std::size_t na, std::size_t nb, std::size_t maxLen) {
    std::size_t best = 0;
    double bestCost = 0;
    for (std::size_t len = std::max<std::size_t>(CeilPow2(2 * nb), 16); len <= maxLen; len *= 2) {
        const std::size_t chunk = len - nb + 1;
        const double chunks = static_cast<double>((na + chunk - 1) / chunk);
        const double cost = static_cast<double>(len) * Log2(len) * (2 * chunks + 1);
        if (best == 0 || cost < bestCost) {
            best = len;
            bestCost = cost;
        }
        if (chunk >= na) break;
    }
    return best;
}

}  // namespace

// out[0..2n) = a^2.
void NttSquare(const Limb* a, std::size_t n, Limb* out, MulContext& ctx) {
    const std::size_t count = 2 * n - 1;
    const std::size_t len = std::max<std::size_t>(CeilPow2(count), 16);
    ctx.tw.Ensure(len / 2);
    Convolve(len, a, n, Second::Same, nullptr, 0, ctx.transformsA.Get(3 * len), nullptr, count, out, ctx);
}

// out[0..na+nb) = a*b with na >= nb and 2*nb <= maxLen. When a is much longer it
// goes through in chunks against a single transform of b.
void NttMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, MulContext& ctx) {
    const std::size_t len = ChooseLength(na, nb, ctx.maxLen);
    const std::size_t chunk = len - nb + 1;
    ctx.tw.Ensure(len / 2);
    u32* transformsA = ctx.transformsA.Get(3 * len);
    u32* transformsB = ctx.transformsB.Get(3 * len);
    if (chunk >= na) {
        Convolve(len, a, na, Second::AsLimbs, b, nb, transformsA, transformsB, na + nb - 1, out, ctx);
        return;
    }
    const Kernels k{&ctx.tw, ctx.vectorKernels};
    for (int i = 0; i < 3; ++i) {
        ThrowIfStopRequested();
        k.LoadForward(transformsB + i * len, len, b, nb, i);
    }
    // Chunk c covers out[off, off + la + nb); the first nb limbs overlap the chunk
    // before, the rest is new.
    ctx.piece.resize(std::max(ctx.piece.size(), len + 1));
    for (std::size_t off = 0; off < na; off += chunk) {
        const std::size_t la = std::min(chunk, na - off);
        const std::size_t count = la + nb - 1;
        if (off == 0) {
            Convolve(len, a, la, Second::Transformed, nullptr, 0, transformsA, transformsB, count, out, ctx);
            continue;
        }
        Limb* piece = ctx.piece.data();
        Convolve(len, a + off, la, Second::Transformed, nullptr, 0, transformsA, transformsB, count, piece, ctx);
        std::copy(piece + nb, piece + count + 1, out + off + nb);
        AddInPlace(out + off, na + nb - off, piece, nb);
    }
}

}  // namespace calc::bignum::detail
