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
// conversion. Products use schoolbook, Karatsuba or a number-theoretic transform
// over three primes below 2^30 joined by the Chinese remainder theorem, by size.
// Large transforms are split between the calling thread and one helper thread;
// the kernels come in AVX2 and portable versions, picked at run time.
#include "engine/factorial.h"

#include "engine/bigdecimal.h"
#include "engine/errors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define CALC_HAVE_AVX2_KERNELS 1
#include <immintrin.h>
#define CALC_AVX2 __attribute__((target("avx2")))
#else
#define CALC_HAVE_AVX2_KERNELS 0
#endif

namespace calc::bigdec {
namespace {

using u32 = std::uint32_t;
using u64 = std::uint64_t;

constexpr u64 kB = kBase;

// ---------------------------------------------------------------------------
// Size thresholds in limbs of the shorter operand: schoolbook below `karatsuba`,
// Karatsuba below `ntt`, the transform from there on. Measured on x86-64: with the
// AVX2 kernels the schoolbook holds its own right up to where the transform takes
// over; the portable kernels leave a band for Karatsuba.
struct Thresholds {
    std::size_t karatsuba, ntt, sqr_karatsuba, sqr_ntt;
};
constexpr Thresholds kVectorThresholds{160, 160, 192, 192};
constexpr Thresholds kPortableThresholds{64, 640, 64, 448};
constexpr int kMaxLog = 24;  // 2^24 divides p-1 for all three primes
// Transforms from this length on are split between two threads.
constexpr std::size_t kThreadMinLength = std::size_t{1} << 16;

bool CpuHasAvx2() {
#if CALC_HAVE_AVX2_KERNELS
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

// ---------------------------------------------------------------------------
// Limb-array helpers. All arrays are little-endian radix-10^9.

std::size_t TrimmedSize(const Limb* a, std::size_t n) {
    while (n > 0 && a[n - 1] == 0) --n;
    return n;
}

// dst[0..n) += src[0..m) (m <= n); returns the carry out of dst[n-1].
Limb AddInPlace(Limb* dst, std::size_t n, const Limb* src, std::size_t m) {
    Limb carry = 0;
    std::size_t i = 0;
    for (; i < m; ++i) {
        Limb t = dst[i] + src[i] + carry;  // < 2^31, no wrap
        carry = t >= kBase;
        dst[i] = carry ? t - kBase : t;
    }
    for (; carry && i < n; ++i) {
        Limb t = dst[i] + 1;
        carry = t == kBase;
        dst[i] = carry ? 0 : t;
    }
    return carry;
}

// dst[0..n) += v.
void AddWordInPlace(Limb* dst, std::size_t n, u64 v) {
    for (std::size_t i = 0; v != 0 && i < n; ++i) {
        v += dst[i];
        const u64 q = v / kB;
        dst[i] = static_cast<Limb>(v - q * kB);
        v = q;
    }
}

// dst[0..n) -= src[0..m) (m <= n); the caller guarantees dst >= src.
void SubInPlace(Limb* dst, std::size_t n, const Limb* src, std::size_t m) {
    Limb borrow = 0;
    std::size_t i = 0;
    for (; i < m; ++i) {
        Limb s = src[i] + borrow;
        borrow = dst[i] < s;
        dst[i] = borrow ? dst[i] + kBase - s : dst[i] - s;
    }
    for (; borrow && i < n; ++i) {
        borrow = dst[i] == 0;
        dst[i] = borrow ? kBase - 1 : dst[i] - 1;
    }
}

// ---------------------------------------------------------------------------
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

// out[0..na+nb) = a * b.
void SchoolbookMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, bool vec) {
    if (na > nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    const std::size_t n = na + nb;
    if (na == 0) {
        std::fill(out, out + n, 0);
        return;
    }
    (void)vec;  // unused without the AVX2 kernels
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
            if (vec) {
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

// ---------------------------------------------------------------------------
// Number-theoretic transform.
//
// Three primes p = c*2^24 + 1 below 2^30. A coefficient of a product has at most
// min(na, nb) terms below (10^9)^2 each; the shorter operand is limited to 2^23
// limbs, which keeps every coefficient below p0*p1*p2 (about 5.9e25), so the Chinese
// remainder theorem recovers it exactly.
//
// Arithmetic is Montgomery with R = 2^32 and lazy reduction: values live in
// [0, 4p) inside the forward transform and [0, 2p) inside the inverse.
//
// The forward transform splits a(x) mod (x^2h - c) into a(x) mod (x^h - w) and
// a(x) mod (x^h + w), so each block of a stage uses a single twiddle w. The twiddle
// of block k is the same at every stage and for every length (z[k] = W^bitrev(k)),
// so one table serves all transforms. The output is in a scrambled order, which the
// pointwise product does not care about; the inverse walks the stages backwards.

constexpr std::array<u32, 3> kPrime = {754974721u, 469762049u, 167772161u};
constexpr std::array<u32, 3> kGenerator = {11u, 3u, 3u};

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

constexpr std::array<Modulus, 3> kMod = {MakeModulus(kPrime[0]), MakeModulus(kPrime[1]),
                                         MakeModulus(kPrime[2])};

static_assert(kPrime[0] < (1u << 30) && kPrime[1] < (1u << 30) && kPrime[2] < (1u << 30));
static_assert((kPrime[0] - 1) % (1u << kMaxLog) == 0 && (kPrime[1] - 1) % (1u << kMaxLog) == 0 &&
              (kPrime[2] - 1) % (1u << kMaxLog) == 0);
// A limb below 10^9 gets into [0, 4p) with at most one subtraction of 4p.
static_assert(u64{8} * kPrime[2] > kBase);
static_assert(kMod[0].pinv * kPrime[0] == 1u && kMod[1].pinv * kPrime[1] == 1u &&
              kMod[2].pinv * kPrime[2] == 1u);

// a*b/R mod p, in (0, 2p) when a*b < p*2^32.
inline u32 MontMul(u32 a, u32 b, const Modulus& m) {
    u64 t = u64{a} * b;
    u32 q = static_cast<u32>(t) * m.pinv;
    u64 qp = u64{q} * m.p;
    return static_cast<u32>(t >> 32) - static_cast<u32>(qp >> 32) + m.p;
}

constexpr u32 ToMont(u64 x, const Modulus& m) { return static_cast<u32>((x % m.p << 32) % m.p); }

// Scratch memory for the transforms, kept across the products of one computation.
// Large blocks ask for transparent huge pages to save page faults.

class Scratch {
public:
    Scratch() = default;
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch() { std::free(data_); }

    // At least n words; the contents are not kept.
    u32* Get(std::size_t n) {
        if (n <= capacity_) return data_;
        std::free(data_);
        data_ = nullptr;
        capacity_ = 0;
        return Allocate(n);
    }

    // At least n words, keeping the first `keep`.
    u32* Grow(std::size_t n, std::size_t keep) {
        if (n <= capacity_) return data_;
        u32* old = data_;
        data_ = nullptr;
        capacity_ = 0;
        try {
            Allocate(n);
        } catch (...) {
            std::free(old);
            throw;
        }
        if (keep != 0) std::memcpy(data_, old, keep * sizeof(u32));
        std::free(old);
        return data_;
    }

    u32* data() const { return data_; }

private:
    u32* Allocate(std::size_t n) {
        constexpr std::size_t kHuge = std::size_t{2} << 20;
        std::size_t bytes = n * sizeof(u32);
        const std::size_t align = bytes >= kHuge ? kHuge : 64;
        bytes = (bytes + align - 1) / align * align;
        void* p = std::aligned_alloc(align, bytes);
        if (p == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (align == kHuge) madvise(p, bytes, MADV_HUGEPAGE);
#endif
        data_ = static_cast<u32*>(p);
        capacity_ = bytes / sizeof(u32);
        return data_;
    }

    u32* data_ = nullptr;
    std::size_t capacity_ = 0;
};

// dst[j] = src[j]*w/R mod p, fully reduced, for j < n.
void ScaleTableScalar(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& m) {
    for (std::size_t j = 0; j < n; ++j) {
        u32 x = MontMul(src[j], w, m);
        dst[j] = x >= m.p ? x - m.p : x;
    }
}
#if CALC_HAVE_AVX2_KERNELS
CALC_AVX2 void ScaleTableAvx2(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& m);
#endif
void ScaleTable(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& m) {
#if CALC_HAVE_AVX2_KERNELS
    if (CpuHasAvx2() && n % 8 == 0) return ScaleTableAvx2(dst, src, n, w, m);
#endif
    ScaleTableScalar(dst, src, n, w, m);
}

// Twiddle tables z[k] and their inverses, Montgomery form, fully reduced, grown on
// demand. Entry 2^b + j equals z[j] times a primitive 2^(b+2)-th root of unity.
class Twiddles {
public:
    void Ensure(std::size_t half) {
        if (half <= size_) return;
        for (int i = 0; i < 3; ++i) {
            const Modulus& m = kMod[i];
            u32* z = z_[i].Grow(half, size_);
            u32* iz = iz_[i].Grow(half, size_);
            if (size_ == 0) {
                z[0] = m.r1;
                iz[0] = m.r1;
            }
            for (std::size_t s = std::max<std::size_t>(size_, 1); s < half; s *= 2) {
                int b = 0;
                while ((std::size_t{1} << b) < s) ++b;
                const u64 root = PowMod(kGenerator[i], (m.p - 1) >> (b + 2), m.p);
                const u32 w = ToMont(root, m);
                const u32 iw = ToMont(PowMod(root, m.p - 2, m.p), m);
                ScaleTable(z + s, z, s, w, m);
                ScaleTable(iz + s, iz, s, iw, m);
            }
        }
        size_ = half;
    }
    const u32* Forward(int i) const { return z_[i].data(); }
    const u32* Inverse(int i) const { return iz_[i].data(); }

private:
    std::array<Scratch, 3> z_, iz_;
    std::size_t size_ = 0;
};

// Chinese remainder constants. A coefficient is x = a0 + p0*a1 + p0*p1*a2 with
// a_i < p_i; the digits a_i come from the residues by Garner's method.
constexpr u64 P0 = kPrime[0], P1 = kPrime[1], P2 = kPrime[2];
constexpr u64 kInv01 = PowMod(P0 % P1, P1 - 2, P1);          // p0^-1 mod p1
constexpr u64 kInv012 = PowMod((P0 * P1) % P2, P2 - 2, P2);  // (p0 p1)^-1 mod p2
constexpr u32 kGarner1 = ToMont(kInv01, kMod[1]);
constexpr u32 kGarner2 = ToMont(kInv012, kMod[2]);
constexpr u32 kGarner2p = ToMont(P0 % P2 * kInv012 % P2, kMod[2]);
constexpr u64 kM01Lo = P0 * P1 % kB, kM01Hi = P0 * P1 / kB;  // p0*p1 in radix 10^9
static_assert(P0 * kInv01 % P1 == 1 && (P0 * P1 % P2) * kInv012 % P2 == 1);
static_assert(kM01Hi < kB && P0 < 2 * P1 && 6 * P2 < (u64{1} << 32));
// Largest coefficient: 2^23 terms of (10^9-1)^2 each, below p0*p1*p2.
static_assert(static_cast<long double>(u64{1} << 23) * 999999999.0L * 999999999.0L <
              static_cast<long double>(P0) * static_cast<long double>(P1) * static_cast<long double>(P2));

// ----- portable kernels -----

// Pairs (a[j], a[j+h]) for j < count, one twiddle.
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

// Two stages at once on a block of 4q: pairs (j, j+2q) and (j+q, j+3q) with w1,
// then (j, j+q) with w2 and (j+2q, j+3q) with w3, for j < count.
void Fwd4Scalar(u32* a, std::size_t q, std::size_t count, u32 w1, u32 w2, u32 w3, const Modulus& m) {
    FwdStageScalar(a, 2 * q, count, w1, m);
    FwdStageScalar(a + q, 2 * q, count, w1, m);
    FwdStageScalar(a, q, count, w2, m);
    FwdStageScalar(a + 2 * q, q, count, w3, m);
}

// Fwd4Scalar for a block whose upper half is zero: the first stage only copies.
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

// All stages of the block a[0..n) whose block index at its first stage is kb.
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

// dst[i] for i in [begin, end): src[i] brought into [0, 4p), or 0 past len.
void LoadScalar(u32* dst, const Limb* src, std::size_t len, std::size_t begin, std::size_t end, const Modulus& m) {
    const u32 p4 = 4 * m.p;
    const std::size_t mid = std::clamp(len, begin, end);
    for (std::size_t i = begin; i < mid; ++i) dst[i] = src[i] >= p4 ? src[i] - p4 : src[i];
    std::fill(dst + mid, dst + end, 0u);
}

// Garner digits, in place: residues (r0, r1, r2) in [0, 2p_i) become (a0, a1, a2).
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

// ----- AVX2 kernels -----
#if CALC_HAVE_AVX2_KERNELS

struct VecMod {
    __m256i p, p2, pinv;
};

CALC_AVX2 inline VecMod MakeVecMod(const Modulus& m) {
    return VecMod{_mm256_set1_epi32(static_cast<int>(m.p)), _mm256_set1_epi32(static_cast<int>(2 * m.p)),
                  _mm256_set1_epi32(static_cast<int>(m.pinv))};
}

CALC_AVX2 inline __m256i Reduce(__m256i x, __m256i bound) {
    return _mm256_min_epu32(x, _mm256_sub_epi32(x, bound));
}

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
CALC_AVX2 void FwdLast3Avx2(u32* a, std::size_t n, const u32* z4, const u32* z2, const u32* z1,
                            const Modulus& mod) {
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

CALC_AVX2 void InvFirst3Avx2(u32* a, std::size_t n, const u32* z4, const u32* z2, const u32* z1,
                             const Modulus& mod) {
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

#endif  // CALC_HAVE_AVX2_KERNELS

// Limbs of sum_k x_k 10^(9(k-lo)) over coefficients k in [lo, hi), x_k given by its
// Garner digits, into out[lo..hi); returns what is left above out[hi-1] (< 2^63).
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

// ---------------------------------------------------------------------------
// Two threads: a helper thread that runs one half of a split job while the caller
// runs the other.

class TwoThreads {
public:
    TwoThreads() = default;
    TwoThreads(const TwoThreads&) = delete;
    TwoThreads& operator=(const TwoThreads&) = delete;
    ~TwoThreads() {
        if (!worker_.joinable()) return;
        {
            std::lock_guard<std::mutex> lock(mu_);
            stop_ = true;
        }
        cv_.notify_all();
        worker_.join();
    }

    // Calls f(0) here and f(1) on the helper (both here if no thread can be had).
    template <class F>
    void Run(F&& f) {
        using Fn = std::remove_reference_t<F>;
        if (!Start()) {
            f(0);
            f(1);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mu_);
            job_ = [](void* p) { (*static_cast<Fn*>(p))(1); };
            arg_ = &f;
        }
        cv_.notify_all();
        std::exception_ptr mine;
        try {
            f(0);
        } catch (...) {
            mine = std::current_exception();
        }
        std::exception_ptr theirs;
        {
            std::unique_lock<std::mutex> lock(mu_);
            cv_.wait(lock, [this] { return job_ == nullptr; });
            theirs = std::exchange(error_, nullptr);
        }
        if (mine) std::rethrow_exception(mine);
        if (theirs) std::rethrow_exception(theirs);
    }

private:
    bool Start() {
        if (worker_.joinable()) return true;
        if (failed_) return false;
        try {
            worker_ = std::thread([this] { Loop(); });
        } catch (const std::system_error&) {
            failed_ = true;
        }
        return !failed_;
    }

    void Loop() {
        std::unique_lock<std::mutex> lock(mu_);
        for (;;) {
            cv_.wait(lock, [this] { return stop_ || job_ != nullptr; });
            if (stop_) return;
            void (*job)(void*) = job_;
            void* arg = arg_;
            lock.unlock();
            std::exception_ptr err;
            try {
                job(arg);
            } catch (...) {
                err = std::current_exception();
            }
            lock.lock();
            error_ = err;
            job_ = nullptr;
            cv_.notify_all();
        }
    }

    std::thread worker_;
    std::mutex mu_;
    std::condition_variable cv_;
    void (*job_)(void*) = nullptr;
    void* arg_ = nullptr;
    std::exception_ptr error_;
    bool stop_ = false;
    bool failed_ = false;
};

// ---------------------------------------------------------------------------
// Multiplication driver.

struct Ctx {
    bool allow_ntt = true;
    bool vec = false;
    Thresholds th = kPortableThresholds;
    bool threads = true;
    std::size_t max_len = std::size_t{1} << kMaxLog;
    Twiddles tw;
    Scratch fa, fb;
    Limbs piece;
    TwoThreads pair;
};

void MulInto(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, Ctx& ctx);
void SqrInto(const Limb* a, std::size_t n, Limb* out, Ctx& ctx);

std::size_t CeilPow2(std::size_t x) {
    std::size_t n = 1;
    while (n < x) n *= 2;
    return n;
}

int Log2(std::size_t n) {
    int k = 0;
    while ((std::size_t{1} << k) < n) ++k;
    return k;
}

// The transform kernels of one computation, chosen once.
struct Kernels {
    const Twiddles* tw;
    bool vec;

    void Load(u32* dst, const Limb* src, std::size_t len, std::size_t begin, std::size_t end, int i) const {
#if CALC_HAVE_AVX2_KERNELS
        if (vec) return LoadAvx2(dst, src, len, begin, end, kMod[i]);
#endif
        LoadScalar(dst, src, len, begin, end, kMod[i]);
    }
    void FwdStage(u32* a, std::size_t h, std::size_t count, std::size_t kb, int i) const {
#if CALC_HAVE_AVX2_KERNELS
        if (vec && count % 8 == 0) return FwdStageAvx2(a, h, count, tw->Forward(i)[kb], kMod[i]);
#endif
        FwdStageScalar(a, h, count, tw->Forward(i)[kb], kMod[i]);
    }
    void InvStage(u32* a, std::size_t h, std::size_t count, std::size_t kb, int i) const {
#if CALC_HAVE_AVX2_KERNELS
        if (vec && count % 8 == 0) return InvStageAvx2(a, h, count, tw->Inverse(i)[kb], kMod[i]);
#endif
        InvStageScalar(a, h, count, tw->Inverse(i)[kb], kMod[i]);
    }
    // Stages n/2 and n/4 of the block a[0..n) with block index kb, for the pairs
    // starting at j in [j0, j0 + count) of each quarter.
    void Fwd4(u32* a, std::size_t n, std::size_t kb, std::size_t j0, std::size_t count, int i) const {
        const u32* z = tw->Forward(i);
#if CALC_HAVE_AVX2_KERNELS
        if (vec && count % 8 == 0)
            return Fwd4Avx2(a + j0, n / 4, count, z[kb], z[2 * kb], z[2 * kb + 1], kMod[i]);
#endif
        Fwd4Scalar(a + j0, n / 4, count, z[kb], z[2 * kb], z[2 * kb + 1], kMod[i]);
    }
    // Fwd4 at the top (block 0) when a[n/2..n) is zero and need not be read.
    void Fwd4Half(u32* a, std::size_t n, std::size_t j0, std::size_t count, int i) const {
        const u32* z = tw->Forward(i);
#if CALC_HAVE_AVX2_KERNELS
        if (vec && count % 8 == 0) return Fwd4HalfAvx2(a + j0, n / 4, count, z[0], z[1], kMod[i]);
#endif
        Fwd4HalfScalar(a + j0, n / 4, count, z[0], z[1], kMod[i]);
    }
    void Inv4(u32* a, std::size_t n, std::size_t kb, std::size_t j0, std::size_t count, int i) const {
        const u32* iz = tw->Inverse(i);
#if CALC_HAVE_AVX2_KERNELS
        if (vec && count % 8 == 0)
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
            if (vec && n >= 16) return FwdLeafAvx2(a, n, kb, tw->Forward(i), kMod[i]);
#endif
            return FwdLeafScalar(a, n, kb, tw->Forward(i), kMod[i]);
        }
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
            if (vec && n >= 16) return InvLeafAvx2(a, n, kb, tw->Inverse(i), kMod[i]);
#endif
            return InvLeafScalar(a, n, kb, tw->Inverse(i), kMod[i]);
        }
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
        if (vec && n % 8 == 0) return PointwiseAvx2(out, a, b, n, k, m);
#endif
        PointwiseScalar(out, a, b, n, k, m);
    }
    void Garner(u32* r0, u32* r1, u32* r2, std::size_t n) const {
#if CALC_HAVE_AVX2_KERNELS
        if (vec) return GarnerAvx2(r0, r1, r2, n);
#endif
        GarnerScalar(r0, r1, r2, n);
    }
};

// What the second factor of a cyclic convolution is.
enum class Second { kSame, kLimbs, kTransformed };

// Cyclic convolution of length len for all three primes, followed by the Chinese
// remainder step: out[0..count] gets the limbs of the first `count` coefficients.
// fa holds 3*len words of scratch; fb holds the second factor's transforms
// (filled here from b for kLimbs, given for kTransformed, unused for kSame).
void Convolve(std::size_t len, const Limb* a, std::size_t na, Second second, const Limb* b, std::size_t nb,
              u32* fa, u32* fb, std::size_t count, Limb* out, Ctx& ctx) {
    const Kernels k{&ctx.tw, ctx.vec};
    auto product = [&](u32* x, u32* y, std::size_t n, int i) {
        if (second == Second::kSame) return k.Pointwise(x, x, x, n, len, i);
        k.Pointwise(x, x, y, n, len, i);
    };
    if (!ctx.threads || len < kThreadMinLength) {
        for (int i = 0; i < 3; ++i) {
            u32* x = fa + i * len;
            u32* y = fb != nullptr ? fb + i * len : nullptr;
            k.LoadForward(x, len, a, na, i);
            if (second == Second::kLimbs) k.LoadForward(y, len, b, nb, i);
            product(x, y, len, i);
            k.Inverse(x, len, 0, i);
        }
        k.Garner(fa, fa + len, fa + 2 * len, count);
        out[count] = static_cast<Limb>(CarryRange(fa, fa + len, fa + 2 * len, 0, count, out));
        return;
    }
    // Two threads. The top two stages combine the four quarters elementwise; each
    // thread takes half of the positions j, then two of the quarters for all the
    // remaining stages (which never cross quarters) and the pointwise product, then
    // half of the positions again for the top two inverse stages and the Garner step.
    const std::size_t quarter = len / 4, half = quarter / 2;
    ctx.pair.Run([&](int part) {
        const std::size_t j0 = part * half;
        auto load_top = [&](u32* x, const Limb* src, std::size_t ns, int i) {
            const bool upper_zero = ns <= 2 * quarter;
            for (std::size_t t = 0; t < (upper_zero ? 2u : 4u); ++t)
                k.Load(x, src, ns, t * quarter + j0, t * quarter + j0 + half, i);
            if (upper_zero) k.Fwd4Half(x, len, j0, half, i);
            else k.Fwd4(x, len, 0, j0, half, i);
        };
        for (int i = 0; i < 3; ++i) {
            load_top(fa + i * len, a, na, i);
            if (second == Second::kLimbs) load_top(fb + i * len, b, nb, i);
        }
    });
    ctx.pair.Run([&](int part) {
        for (int i = 0; i < 3; ++i) {
            for (std::size_t t = 2 * std::size_t(part); t < 2 * std::size_t(part) + 2; ++t) {
                u32* x = fa + i * len + t * quarter;
                u32* y = fb != nullptr ? fb + i * len + t * quarter : nullptr;
                k.Forward(x, quarter, t, i);
                if (second == Second::kLimbs) k.Forward(y, quarter, t, i);
                product(x, y, quarter, i);
                k.Inverse(x, quarter, t, i);
            }
        }
    });
    ctx.pair.Run([&](int part) {
        const std::size_t j0 = part * half;
        for (int i = 0; i < 3; ++i) k.Inv4(fa + i * len, len, 0, j0, half, i);
        for (std::size_t t = 0; t < 4; ++t) {
            const std::size_t s = t * quarter + j0, e = std::min(s + half, count);
            if (s < e) k.Garner(fa + s, fa + len + s, fa + 2 * len + s, e - s);
        }
    });
    // Carries: each thread does half the coefficients; the first half's overflow is
    // added into the second half afterwards.
    const std::size_t mid = count / 2;
    u64 overflow[2] = {0, 0};
    ctx.pair.Run([&](int part) {
        const std::size_t lo = part == 0 ? 0 : mid, hi = part == 0 ? mid : count;
        overflow[part] = CarryRange(fa, fa + len, fa + 2 * len, lo, hi, out);
    });
    out[count] = static_cast<Limb>(overflow[1]);
    AddWordInPlace(out + mid, count + 1 - mid, overflow[0]);
}

// out[0..2n) = a^2.
void NttSquare(const Limb* a, std::size_t n, Limb* out, Ctx& ctx) {
    const std::size_t count = 2 * n - 1;
    const std::size_t len = std::max<std::size_t>(CeilPow2(count), 16);
    ctx.tw.Ensure(len / 2);
    Convolve(len, a, n, Second::kSame, nullptr, 0, ctx.fa.Get(3 * len), nullptr, count, out, ctx);
}

// Transform length for a product of na x nb limbs (na >= nb) with a cut into
// chunks: the one with the least estimated work.
std::size_t ChooseLength(std::size_t na, std::size_t nb, std::size_t max_len) {
    std::size_t best = 0;
    double best_cost = 0;
    for (std::size_t len = std::max<std::size_t>(CeilPow2(2 * nb), 16); len <= max_len; len *= 2) {
        const std::size_t chunk = len - nb + 1;
        const double chunks = static_cast<double>((na + chunk - 1) / chunk);
        const double cost = static_cast<double>(len) * Log2(len) * (2 * chunks + 1);
        if (best == 0 || cost < best_cost) {
            best = len;
            best_cost = cost;
        }
        if (chunk >= na) break;
    }
    return best;
}

// out[0..na+nb) = a*b with na >= nb and 2*nb <= max_len. When a is much longer it
// goes through in chunks against a single transform of b.
void NttMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, Ctx& ctx) {
    const std::size_t len = ChooseLength(na, nb, ctx.max_len);
    const std::size_t chunk = len - nb + 1;
    ctx.tw.Ensure(len / 2);
    u32* fa = ctx.fa.Get(3 * len);
    u32* fb = ctx.fb.Get(3 * len);
    if (chunk >= na) {
        Convolve(len, a, na, Second::kLimbs, b, nb, fa, fb, na + nb - 1, out, ctx);
        return;
    }
    const Kernels k{&ctx.tw, ctx.vec};
    for (int i = 0; i < 3; ++i) k.LoadForward(fb + i * len, len, b, nb, i);
    // Chunk c covers out[off, off + la + nb); the first nb limbs overlap the chunk
    // before, the rest is new.
    ctx.piece.resize(std::max(ctx.piece.size(), len + 1));
    for (std::size_t off = 0; off < na; off += chunk) {
        const std::size_t la = std::min(chunk, na - off);
        const std::size_t count = la + nb - 1;
        if (off == 0) {
            Convolve(len, a, la, Second::kTransformed, nullptr, 0, fa, fb, count, out, ctx);
            continue;
        }
        Limb* piece = ctx.piece.data();
        Convolve(len, a + off, la, Second::kTransformed, nullptr, 0, fa, fb, count, piece, ctx);
        std::copy(piece + nb, piece + count + 1, out + off + nb);
        AddInPlace(out + off, na + nb - off, piece, nb);
    }
}

// Balanced Karatsuba: out[0..2n) = a*b, both n limbs.
void KaratsubaMul(const Limb* a, const Limb* b, std::size_t n, Limb* out, Ctx& ctx) {
    const std::size_t h = (n + 1) / 2, l = n - h;  // l <= h
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

void KaratsubaSqr(const Limb* a, std::size_t n, Limb* out, Ctx& ctx) {
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
void PiecewiseMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, Ctx& ctx) {
    std::fill(out, out + na + nb, 0u);
    std::vector<Limb> piece(2 * nb);
    for (std::size_t off = 0; off < na; off += nb) {
        const std::size_t la = std::min(nb, na - off);
        MulInto(a + off, la, b, nb, piece.data(), ctx);
        AddInPlace(out + off, na + nb - off, piece.data(), la + nb);
    }
}

// Products too large for one transform: split the longer operand in two.
void SplitMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, Ctx& ctx) {
    const std::size_t h = na / 2;
    MulInto(a, h, b, nb, out, ctx);
    std::fill(out + h + nb, out + na + nb, 0u);
    std::vector<Limb> hi(na - h + nb);
    MulInto(a + h, na - h, b, nb, hi.data(), ctx);
    AddInPlace(out + h, na + nb - h, hi.data(), hi.size());
}

void MulInto(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, Ctx& ctx) {
    if (na < nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    if (nb < ctx.th.karatsuba) return SchoolbookMul(a, na, b, nb, out, ctx.vec);
    if (!ctx.allow_ntt || nb < ctx.th.ntt) {
        if (na == nb) return KaratsubaMul(a, b, na, out, ctx);
        return PiecewiseMul(a, na, b, nb, out, ctx);
    }
    if (2 * nb <= ctx.max_len) return NttMul(a, na, b, nb, out, ctx);
    SplitMul(a, na, b, nb, out, ctx);
}

void SqrInto(const Limb* a, std::size_t n, Limb* out, Ctx& ctx) {
    if (n < ctx.th.sqr_karatsuba) return SchoolbookMul(a, n, a, n, out, ctx.vec);
    if (!ctx.allow_ntt || n < ctx.th.sqr_ntt || 2 * n > ctx.max_len) return KaratsubaSqr(a, n, out, ctx);
    NttSquare(a, n, out, ctx);
}

void Trim(Limbs& x) { x.resize(TrimmedSize(x.data(), x.size())); }

void Configure(Ctx& ctx, const MulOptions& o) {
    ctx.allow_ntt = o.method != Method::kKaratsuba;
    ctx.vec = o.vector_kernels && CpuHasAvx2();
    ctx.th = ctx.vec ? kVectorThresholds : kPortableThresholds;
    ctx.threads = o.threads;
    if (o.max_transform != 0) ctx.max_len = std::clamp<std::size_t>(CeilPow2(o.max_transform), 16, ctx.max_len);
}

Limbs Mul(const Limbs& a, const Limbs& b, Ctx& ctx) {
    if (a.empty() || b.empty()) return {};
    Limbs r(a.size() + b.size());
    MulInto(a.data(), a.size(), b.data(), b.size(), r.data(), ctx);
    Trim(r);
    return r;
}

Limbs Sqr(const Limbs& a, Ctx& ctx) {
    if (a.empty()) return {};
    Limbs r(2 * a.size());
    SqrInto(a.data(), a.size(), r.data(), ctx);
    Trim(r);
    return r;
}

// ---------------------------------------------------------------------------
// Factorial.

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
Limbs ProductTree(const std::vector<u64>& w, std::size_t lo, std::size_t hi, Ctx& ctx) {
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

void WriteLimb(char* out, Limb v) {  // exactly 9 digits
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    out[8] = static_cast<char>('0' + v % 10);
    v /= 10;
    for (int k = 6; k >= 0; k -= 2) {
        std::memcpy(out + k, kPairs + 2 * (v % 100), 2);
        v /= 100;
    }
}

// Decimal text of x (trimmed) followed by `zeros` zero digits.
std::string Text(const Limb* x, std::size_t n, std::size_t zeros) {
    if (n == 0) return "0";
    const std::string top = std::to_string(x[n - 1]);
    std::string s(top.size() + kLimbDigits * (n - 1) + zeros, '0');
    char* p = s.data();
    std::memcpy(p, top.data(), top.size());
    p += top.size();
    for (std::size_t k = n - 1; k-- > 0; p += kLimbDigits) WriteLimb(p, x[k]);
    return s;
}

std::string FactorialText(u32 n) {
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

    Ctx ctx;
    ctx.vec = CpuHasAvx2();
    ctx.th = ctx.vec ? kVectorThresholds : kPortableThresholds;
    Limbs y{1};
    for (int b = top; b >= 0; --b) {
        if (b != top) y = Sqr(y, ctx);
        if (!words[b].empty()) {
            const Limbs q = ProductTree(words[b], 0, words[b].size(), ctx);
            words[b] = {};
            y = Mul(y, q, ctx);
        }
    }
    return Text(y.data(), y.size(), zeros);
}

}  // namespace

// ---------------------------------------------------------------------------
// Public helpers.

Limbs Multiply(const Limbs& a, const Limbs& b, const MulOptions& options) {
    std::size_t na = TrimmedSize(a.data(), a.size()), nb = TrimmedSize(b.data(), b.size());
    if (na == 0 || nb == 0) return {};
    Ctx ctx;
    Configure(ctx, options);
    Limbs r(na + nb);
    const Limb* pa = a.data();
    const Limb* pb = b.data();
    if (na < nb) {
        std::swap(pa, pb);
        std::swap(na, nb);
    }
    switch (options.method) {
        case Method::kSchoolbook: SchoolbookMul(pa, na, pb, nb, r.data(), ctx.vec); break;
        case Method::kKaratsuba:
            if (nb < 2) SchoolbookMul(pa, na, pb, nb, r.data(), ctx.vec);
            else if (na == nb) KaratsubaMul(pa, pb, na, r.data(), ctx);
            else PiecewiseMul(pa, na, pb, nb, r.data(), ctx);
            break;
        case Method::kNtt:
            if (2 * nb <= ctx.max_len) NttMul(pa, na, pb, nb, r.data(), ctx);
            else SplitMul(pa, na, pb, nb, r.data(), ctx);
            break;
        case Method::kAuto: MulInto(pa, na, pb, nb, r.data(), ctx); break;
    }
    Trim(r);
    return r;
}

Limbs Square(const Limbs& a, const MulOptions& options) {
    const std::size_t n = TrimmedSize(a.data(), a.size());
    if (n == 0) return {};
    Ctx ctx;
    Configure(ctx, options);
    Limbs r(2 * n);
    switch (options.method) {
        case Method::kSchoolbook: SchoolbookMul(a.data(), n, a.data(), n, r.data(), ctx.vec); break;
        case Method::kKaratsuba:
            if (n < 2) SchoolbookMul(a.data(), n, a.data(), n, r.data(), ctx.vec);
            else KaratsubaSqr(a.data(), n, r.data(), ctx);
            break;
        case Method::kNtt:
            if (2 * n <= ctx.max_len) NttSquare(a.data(), n, r.data(), ctx);
            else KaratsubaSqr(a.data(), n, r.data(), ctx);
            break;
        case Method::kAuto: SqrInto(a.data(), n, r.data(), ctx); break;
    }
    Trim(r);
    return r;
}

std::string ToDecimal(const Limbs& a) { return Text(a.data(), TrimmedSize(a.data(), a.size()), 0); }

Limbs FromDecimal(std::string_view digits) {
    Limbs x;
    std::size_t end = digits.size();
    while (end > 0) {
        const std::size_t begin = end >= kLimbDigits ? end - kLimbDigits : 0;
        Limb v = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const char c = digits[i];
            if (c < '0' || c > '9') throw std::invalid_argument("FromDecimal: not a digit");
            v = v * 10 + static_cast<Limb>(c - '0');
        }
        x.push_back(v);
        end = begin;
    }
    Trim(x);
    return x;
}

bool VectorKernelsAvailable() { return CpuHasAvx2(); }

std::int64_t FactorialDigitEstimate(std::int32_t num) {
    if (num <= 1) return 1;
    const double log10 = std::lgamma(static_cast<double>(num) + 1.0) / std::log(10.0);
    return static_cast<std::int64_t>(std::floor(log10)) + 1;
}

}  // namespace calc::bigdec

namespace calc {

std::string Factorial(std::int32_t num) {
    if (num <= 1) return "1";
    if (bigdec::FactorialDigitEstimate(num) > bigdec::kMaxFactorialDigits) Raise(ErrorKind::OutOfMemory);
    try {
        return bigdec::FactorialText(static_cast<std::uint32_t>(num));
    } catch (const std::bad_alloc&) {
        Raise(ErrorKind::OutOfMemory);
    } catch (const std::length_error&) {
        Raise(ErrorKind::OutOfMemory);
    }
}

}  // namespace calc
