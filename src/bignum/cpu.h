#pragma once
// Internal: whether this build has the AVX2 kernels, and whether the processor runs them.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define CALC_HAVE_AVX2_KERNELS 1
// On every declaration and definition of an AVX2 kernel.
#define CALC_AVX2 __attribute__((target("avx2")))
#else
#define CALC_HAVE_AVX2_KERNELS 0
#endif

namespace calc::bignum::detail {

inline bool CpuHasAvx2() {
#if CALC_HAVE_AVX2_KERNELS
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

}  // namespace calc::bignum::detail
