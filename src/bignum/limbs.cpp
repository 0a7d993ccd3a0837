// Addition and subtraction on limb arrays, with carries in radix 10^9.
#include "bignum/limbs.h"

namespace calc::bignum::detail {

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

void AddWordInPlace(Limb* dst, std::size_t n, u64 v) {
    for (std::size_t i = 0; v != 0 && i < n; ++i) {
        v += dst[i];
        const u64 q = v / kB;
        dst[i] = static_cast<Limb>(v - q * kB);
        v = q;
    }
}

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

}  // namespace calc::bignum::detail
