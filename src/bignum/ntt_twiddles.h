#pragma once
// Internal: the twiddle tables of the number-theoretic transform.
#include "bignum/limbs.h"
#include "work/scratch.h"

#include <array>
#include <cstddef>

namespace calc::bignum::detail {

using work::Scratch;

// Twiddle tables z[k] and their inverses for the three primes, Montgomery form,
// fully reduced, grown on demand. Entry 2^b + j equals z[j] times a primitive
// 2^(b+2)-th root of unity.
class Twiddles {
public:
    // At least `half` entries (half a transform's length). Throws std::bad_alloc.
    void Ensure(std::size_t half);
    const u32* Forward(int i) const { return z_[i].data(); }
    const u32* Inverse(int i) const { return iz_[i].data(); }

private:
    std::array<Scratch, 3> z_, iz_;
    std::size_t size_ = 0;
};

}  // namespace calc::bignum::detail
