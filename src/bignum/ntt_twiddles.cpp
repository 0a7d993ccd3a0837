// Twiddle tables: each doubling multiplies the entries so far by one more root of unity.
#include "bignum/ntt_twiddles.h"

#include "bignum/ntt_kernels.h"
#include "work/stop.h"

#include <algorithm>

namespace calc::bignum::detail {
namespace {

void ScaleTablePiece(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& m) {
#if CALC_HAVE_AVX2_KERNELS
    if (CpuHasAvx2() && n % 8 == 0) return ScaleTableAvx2(dst, src, n, w, m);
#endif
    ScaleTableScalar(dst, src, n, w, m);
}

// dst[k] = src[k] * w, in pieces of a few microseconds between which the work may be stopped.
void ScaleTable(u32* dst, const u32* src, std::size_t n, u32 w, const Modulus& m) {
    constexpr std::size_t kPiece = std::size_t{1} << 14;
    for (std::size_t k = 0; k < n; k += kPiece) {
        ThrowIfStopRequested();
        ScaleTablePiece(dst + k, src + k, std::min(kPiece, n - k), w, m);
    }
}

}  // namespace

void Twiddles::Ensure(std::size_t half) {
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

}  // namespace calc::bignum::detail
