// Schoolbook and Karatsuba products.
#include "bignum/cpu.h"
#include "bignum/multiply.h"

#include <algorithm>
#include <utility>
#include <vector>

#if CALC_HAVE_AVX2_KERNELS
#include <immintrin.h>
#endif

namespace calc::bignum::detail {
namespace {

// Schoolbook. Rows of 32x32-bit products are summed into 64-bit column
// accumulators. After every 16 rows each column is split into a limb and a carry
// for the next column, a pass without a carry chain that leaves columns below
// 2*10^10; 16 more rows of (10^9-1)^2 on top still stay below 2^64. One carry
// chain at the end normalises everything.
constexpr std::size_t kRowsPerNormalise = 16;

void RowMulAddScalar(u64* acc, const Limb* b, std::size_t nb, u64 ai) {
    for (std::size_t j = 0; j < nb; ++j) acc[j] += ai * b[j];
}

#if CALC_HAVE_AVX2_KERNELS
CALC_AVX2 void RowMulAddAvx2(u64* acc, const Limb* b, std::size_t nb, u64 ai) {
    const __m256i va = _mm256_set1_epi64x(static_cast<long long>(ai));
    std::size_t j = 0;
    for (; j + 4 <= nb; j += 4) {
        __m256i vb = _mm256_cvtepu32_epi64(_mm_loadu_si128(reinterpret_cast<const __m128i*>(b + j)));
        __m256i r = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(acc + j));
        r = _mm256_add_epi64(r, _mm256_mul_epu32(va, vb));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(acc + j), r);
    }
    for (; j < nb; ++j) acc[j] += ai * b[j];
}
#endif

}  // namespace

// out[0..na+nb) = a * b.
void SchoolbookMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, bool vectorKernels) {
    if (na > nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    const std::size_t n = na + nb;
    if (na == 0) {
        std::fill(out, out + n, 0);
        return;
    }
    (void)vectorKernels;  // unused without the AVX2 kernels
    u64 local[256];
    std::vector<u64> heap;
    u64* acc = local;
    if (n > 256) {
        heap.assign(n, 0);
        acc = heap.data();
    } else {
        std::fill(acc, acc + n, 0);
    }
    for (std::size_t i0 = 0; i0 < na; i0 += kRowsPerNormalise) {
        const std::size_t i1 = std::min(na, i0 + kRowsPerNormalise);
        for (std::size_t i = i0; i < i1; ++i) {
#if CALC_HAVE_AVX2_KERNELS
            if (vectorKernels) {
                RowMulAddAvx2(acc + i, b, nb, a[i]);
                continue;
            }
#endif
            RowMulAddScalar(acc + i, b, nb, a[i]);
        }
        if (i1 == na) break;
        // Columns from i1+nb on are still zero, and the partial product fits
        // below them, so nothing is carried past the end.
        u64 carry = 0;
        for (std::size_t k = i0; k < i1 + nb; ++k) {
            const u64 v = acc[k];
            const u64 q = v / kB;
            acc[k] = v - q * kB + carry;
            carry = q;
        }
    }
    u64 carry = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const u64 t = acc[k] + carry;
        carry = t / kB;
        out[k] = static_cast<Limb>(t - carry * kB);
    }
}

// Balanced Karatsuba: out[0..2n) = a*b, both n limbs.
void KaratsubaMul(const Limb* a, const Limb* b, std::size_t n, Limb* out, MulContext& ctx) {
    const std::size_t h = (n + 1) / 2, l = n - h;   // l <= h
    MulInto(a, h, b, h, out, ctx);                  // a0*b0 -> out[0, 2h)
    MulInto(a + h, l, b + h, l, out + 2 * h, ctx);  // a1*b1 -> out[2h, 2n)
    std::vector<Limb> tmp(4 * h + 4);
    Limb* sa = tmp.data();
    Limb* sb = sa + h + 1;
    Limb* z1 = sb + h + 1;  // 2h + 2 limbs
    std::copy(a, a + h, sa);
    sa[h] = AddInPlace(sa, h, a + h, l);
    std::copy(b, b + h, sb);
    sb[h] = AddInPlace(sb, h, b + h, l);
    MulInto(sa, h + 1, sb, h + 1, z1, ctx);
    SubInPlace(z1, 2 * h + 2, out, 2 * h);
    SubInPlace(z1, 2 * h + 2, out + 2 * h, 2 * l);
    AddInPlace(out + h, 2 * n - h, z1, TrimmedSize(z1, 2 * h + 2));
}

void KaratsubaSqr(const Limb* a, std::size_t n, Limb* out, MulContext& ctx) {
    const std::size_t h = (n + 1) / 2, l = n - h;
    SqrInto(a, h, out, ctx);
    SqrInto(a + h, l, out + 2 * h, ctx);
    std::vector<Limb> tmp(3 * h + 3);
    Limb* sa = tmp.data();
    Limb* z1 = sa + h + 1;
    std::copy(a, a + h, sa);
    sa[h] = AddInPlace(sa, h, a + h, l);
    SqrInto(sa, h + 1, z1, ctx);
    SubInPlace(z1, 2 * h + 2, out, 2 * h);
    SubInPlace(z1, 2 * h + 2, out + 2 * h, 2 * l);
    AddInPlace(out + h, 2 * n - h, z1, TrimmedSize(z1, 2 * h + 2));
}

// a (na limbs) times b (nb <= na) as a sequence of nb-limb pieces of a.
void PiecewiseMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, MulContext& ctx) {
    std::fill(out, out + na + nb, 0u);
    std::vector<Limb> piece(2 * nb);
    for (std::size_t off = 0; off < na; off += nb) {
        const std::size_t la = std::min(nb, na - off);
        MulInto(a + off, la, b, nb, piece.data(), ctx);
        AddInPlace(out + off, na + nb - off, piece.data(), la + nb);
    }
}

}  // namespace calc::bignum::detail
