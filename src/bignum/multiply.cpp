// Multiplication by size: schoolbook, Karatsuba or the transform, with the thresholds
// of the kernels in use; the public Multiply and Square with a method of choice.
#include "bignum/bignum.h"
#include "bignum/cpu.h"
#include "bignum/multiply.h"
#include "work/stop.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace calc::bignum {
namespace detail {

void SplitMul(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, MulContext& ctx) {
    const std::size_t h = na / 2;
    MulInto(a, h, b, nb, out, ctx);
    std::fill(out + h + nb, out + na + nb, 0u);
    std::vector<Limb> hi(na - h + nb);
    MulInto(a + h, na - h, b, nb, hi.data(), ctx);
    AddInPlace(out + h, hi.size(), hi.data(), hi.size());  // the high part reaches the top limb: no carry out
}

void MulInto(const Limb* a, std::size_t na, const Limb* b, std::size_t nb, Limb* out, MulContext& ctx) {
    if (na < nb) {
        std::swap(a, b);
        std::swap(na, nb);
    }
    if (nb < ctx.thresholds.karatsuba) return SchoolbookMul(a, na, b, nb, out, ctx.vectorKernels);
    ThrowIfStopRequested();
    if (!ctx.allowNtt || nb < ctx.thresholds.ntt) {
        if (na == nb) return KaratsubaMul(a, b, na, out, ctx);
        return PiecewiseMul(a, na, b, nb, out, ctx);
    }
    if (2 * nb <= ctx.maxLen) return NttMul(a, na, b, nb, out, ctx);
    SplitMul(a, na, b, nb, out, ctx);
}

void SqrInto(const Limb* a, std::size_t n, Limb* out, MulContext& ctx) {
    if (n < ctx.thresholds.sqrKaratsuba) return SchoolbookMul(a, n, a, n, out, ctx.vectorKernels);
    ThrowIfStopRequested();
    if (!ctx.allowNtt || n < ctx.thresholds.sqrNtt || 2 * n > ctx.maxLen) return KaratsubaSqr(a, n, out, ctx);
    NttSquare(a, n, out, ctx);
}

void Configure(MulContext& ctx, const MulOptions& o) {
    ctx.allowNtt = o.method != Method::Karatsuba;
    ctx.vectorKernels = o.vectorKernels && CpuHasAvx2();
    ctx.thresholds = ctx.vectorKernels ? kVectorThresholds : kPortableThresholds;
    ctx.threads = o.threads;
    if (o.maxTransform != 0) ctx.maxLen = std::clamp<std::size_t>(CeilPow2(o.maxTransform), 16, ctx.maxLen);
}

Limbs Mul(const Limbs& a, const Limbs& b, MulContext& ctx) {
    if (a.empty() || b.empty()) return {};
    Limbs r(a.size() + b.size());
    MulInto(a.data(), a.size(), b.data(), b.size(), r.data(), ctx);
    Trim(r);
    return r;
}

Limbs Sqr(const Limbs& a, MulContext& ctx) {
    if (a.empty()) return {};
    Limbs r(2 * a.size());
    SqrInto(a.data(), a.size(), r.data(), ctx);
    Trim(r);
    return r;
}

}  // namespace detail

using namespace detail;

Limbs Multiply(const Limbs& a, const Limbs& b, const MulOptions& options) {
    std::size_t na = TrimmedSize(a.data(), a.size()), nb = TrimmedSize(b.data(), b.size());
    if (na == 0 || nb == 0) return {};
    MulContext ctx;
    Configure(ctx, options);
    Limbs r(na + nb);
    const Limb* pa = a.data();
    const Limb* pb = b.data();
    if (na < nb) {
        std::swap(pa, pb);
        std::swap(na, nb);
    }
    switch (options.method) {
        case Method::Schoolbook: SchoolbookMul(pa, na, pb, nb, r.data(), ctx.vectorKernels); break;
        case Method::Karatsuba:
            if (nb < 2)
                SchoolbookMul(pa, na, pb, nb, r.data(), ctx.vectorKernels);
            else if (na == nb)
                KaratsubaMul(pa, pb, na, r.data(), ctx);
            else
                PiecewiseMul(pa, na, pb, nb, r.data(), ctx);
            break;
        case Method::Ntt:
            if (2 * nb <= ctx.maxLen)
                NttMul(pa, na, pb, nb, r.data(), ctx);
            else
                SplitMul(pa, na, pb, nb, r.data(), ctx);
            break;
        case Method::Auto: MulInto(pa, na, pb, nb, r.data(), ctx); break;
    }
    Trim(r);
    return r;
}

Limbs Square(const Limbs& a, const MulOptions& options) {
    const std::size_t n = TrimmedSize(a.data(), a.size());
    if (n == 0) return {};
    MulContext ctx;
    Configure(ctx, options);
    Limbs r(2 * n);
    switch (options.method) {
        case Method::Schoolbook: SchoolbookMul(a.data(), n, a.data(), n, r.data(), ctx.vectorKernels); break;
        case Method::Karatsuba:
            if (n < 2)
                SchoolbookMul(a.data(), n, a.data(), n, r.data(), ctx.vectorKernels);
            else
                KaratsubaSqr(a.data(), n, r.data(), ctx);
            break;
        case Method::Ntt:
            if (2 * n <= ctx.maxLen)
                NttSquare(a.data(), n, r.data(), ctx);
            else
                KaratsubaSqr(a.data(), n, r.data(), ctx);
            break;
        case Method::Auto: SqrInto(a.data(), n, r.data(), ctx); break;
    }
    Trim(r);
    return r;
}

bool VectorKernelsAvailable() { return CpuHasAvx2(); }

}  // namespace calc::bignum
