// Exact factorial and the radix-10^9 multiplication behind it.
#include "bignum/bignum.h"
#include "engine/errors.h"
#include "engine/factorial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

// Sanitizer runtimes reserve huge address ranges, which rules out the
// address-space limit used by the allocation-failure test.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CALC_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define CALC_TEST_SANITIZED 1
#endif
#endif

namespace {

using calc::Factorial;
using calc::bignum::FactorialDigitEstimate;
using calc::bignum::FromDecimal;
using calc::bignum::Limbs;
using calc::bignum::Method;
using calc::bignum::MulOptions;
using calc::bignum::Multiply;
using calc::bignum::Square;
using calc::bignum::ToDecimal;

// Independent reference: a running product in radix 10^4.
class NaiveFactorial {
public:
    void MultiplyBy(std::uint32_t k) {
        std::uint64_t carry = 0;
        for (auto& d : digits_) {
            const std::uint64_t t = std::uint64_t{d} * k + carry;
            d = static_cast<std::uint32_t>(t % 10000);
            carry = t / 10000;
        }
        for (; carry != 0; carry /= 10000) digits_.push_back(static_cast<std::uint32_t>(carry % 10000));
    }
    std::string Text() const {
        std::string s = std::to_string(digits_.back());
        for (std::size_t i = digits_.size() - 1; i-- > 0;) {
            const std::string part = std::to_string(digits_[i]);
            s += std::string(4 - part.size(), '0') + part;
        }
        return s;
    }

private:
    std::vector<std::uint32_t> digits_{1};
};

std::uint64_t TextMod(const std::string& s, std::uint64_t p) {
    std::uint64_t r = 0;
    for (char c : s) r = (r * 10 + static_cast<std::uint64_t>(c - '0')) % p;
    return r;
}

std::uint64_t LimbsMod(const Limbs& a, std::uint64_t p) {
    std::uint64_t r = 0;
    for (std::size_t i = a.size(); i-- > 0;) r = (r * calc::bignum::kBase + a[i]) % p;
    return r;
}

std::size_t TrailingZeros(const std::string& s) {
    std::size_t z = 0;
    while (z < s.size() && s[s.size() - 1 - z] == '0') ++z;
    return z;
}

// ---------------------------------------------------------------------------
// Factorial

// 0! and below are 1; every n up to 1200 against the running product: covers all the
// small shapes of the exponent bits, the removal of factors 10 and the digit-count estimate.
TEST(FactorialTest, MatchesNaiveProductUpTo1200) {
    for (std::int32_t n : {0, -1, INT32_MIN}) EXPECT_EQ(Factorial(n), "1") << n;
    NaiveFactorial naive;
    for (std::int32_t n = 1; n <= 1200; ++n) {
        naive.MultiplyBy(static_cast<std::uint32_t>(n));
        const std::string text = Factorial(n);
        ASSERT_EQ(text, naive.Text()) << n;
        ASSERT_EQ(static_cast<std::int64_t>(text.size()), FactorialDigitEstimate(n)) << n;
    }
}

// Larger arguments against the product taken modulo a prime, with their digit counts.
TEST(FactorialTest, ResidueAndLengthMatchDirectProduct) {
    constexpr std::uint64_t kP = 4294967291;  // largest prime below 2^32
    for (auto [n, digits, zeros] : {std::tuple{3000, 9131, 748}, {65537, 287199, 16380}, {100000, 456574, 24999}}) {
        std::uint64_t expected = 1;
        for (std::uint64_t k = 2; k <= static_cast<std::uint64_t>(n); ++k) expected = expected * k % kP;
        const std::string text = Factorial(n);
        EXPECT_EQ(TextMod(text, kP), expected) << n;
        EXPECT_EQ(text.size(), std::size_t(digits)) << n;
        EXPECT_EQ(TrailingZeros(text), std::size_t(zeros)) << n;
    }
    EXPECT_EQ(FactorialDigitEstimate(1000000), 5565709);
}

// The last argument within 100 million digits and the first beyond; beyond fails at
// once with the calculator's out-of-memory error.
TEST(FactorialTest, TooManyDigitsRaisesOutOfMemoryWithoutComputing) {
    EXPECT_EQ(FactorialDigitEstimate(14842906), 99999994);
    EXPECT_EQ(FactorialDigitEstimate(14842907), 100000001);
    for (std::int32_t n : {14842907, INT32_MAX}) {
        try {
            (void)Factorial(n);
            ADD_FAILURE() << "no error for " << n;
        } catch (const calc::RuntimeError& e) {
            EXPECT_EQ(e.kind(), calc::ErrorKind::OutOfMemory) << n;
        }
    }
}

#if defined(__linux__) && !defined(CALC_TEST_SANITIZED)
// With the address space capped a little above what the process uses, 14000000!
// (about 650 MB of working memory) cannot be allocated; the failure must surface as
// the calculator's out-of-memory error, not as std::bad_alloc or a crash.
TEST(FactorialDeathTest, AllocationFailureBecomesOutOfMemory) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsigned long pages = 0;
            if (FILE* f = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(f, "%lu", &pages) != 1) pages = 0;
                std::fclose(f);
            }
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = pages * static_cast<unsigned long>(sysconf(_SC_PAGESIZE)) + (64ul << 20);
            setrlimit(RLIMIT_AS, &limit);
            try {
                (void)Factorial(14000000);
            } catch (const calc::RuntimeError& e) {
                std::_Exit(e.kind() == calc::ErrorKind::OutOfMemory ? 0 : 2);
            } catch (...) {
                std::_Exit(3);
            }
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

// ---------------------------------------------------------------------------
// Multiplication

enum class Shape { kRandom, kAllNines, kSparseZeros, kZeroBlocks, kPowerOfBase };

Limbs MakeOperand(std::size_t n, Shape shape, std::mt19937_64& rng) {
    std::uniform_int_distribution<std::uint32_t> limb(0, calc::bignum::kBase - 1);
    Limbs a(n);
    for (std::size_t i = 0; i < n; ++i) {
        switch (shape) {
            case Shape::kRandom: a[i] = limb(rng); break;
            case Shape::kAllNines: a[i] = calc::bignum::kBase - 1; break;
            case Shape::kSparseZeros: a[i] = rng() % 3 == 0 ? 0 : limb(rng); break;
            case Shape::kZeroBlocks: a[i] = (i / 7) % 2 == 0 ? 0 : limb(rng); break;
            case Shape::kPowerOfBase: a[i] = 0; break;
        }
    }
    a[n - 1] = shape == Shape::kPowerOfBase ? 1 : std::max<std::uint32_t>(a[n - 1], 1);
    return a;
}

struct SizePair {
    std::size_t na, nb;
};

// Sizes on both sides of the schoolbook/Karatsuba/transform switches (for the AVX2
// and the portable kernels), odd splits, and lopsided pairs that go through in pieces.
const SizePair kSizes[] = {
    {1, 1},     {1, 57},    {2, 2},       {17, 16},    {23, 23},   {47, 49},    {63, 64},
    {65, 64},   {95, 96},   {159, 159},   {160, 160},  {161, 158}, {300, 299},  {511, 513},
    {639, 640}, {641, 700}, {1024, 1024}, {1500, 400}, {2000, 30}, {2500, 161}, {3001, 2999},
};

TEST(MultiplyTest, AllMethodsAgreeWithSchoolbook) {
    std::mt19937_64 rng(12345);
    for (const auto& s : kSizes) {
        for (Shape shape :
             {Shape::kRandom, Shape::kAllNines, Shape::kSparseZeros, Shape::kZeroBlocks, Shape::kPowerOfBase}) {
            const Limbs a = MakeOperand(s.na, shape, rng);
            const Limbs b = MakeOperand(s.nb, shape == Shape::kPowerOfBase ? Shape::kRandom : shape, rng);
            const Limbs expected = Multiply(a, b, {Method::Schoolbook});
            for (Method m : {Method::Auto, Method::Karatsuba, Method::Ntt}) {
                for (bool vec : {true, false}) {
                    MulOptions o;
                    o.method = m;
                    o.vectorKernels = vec;
                    ASSERT_EQ(Multiply(a, b, o), expected)
                        << s.na << "x" << s.nb << " shape " << static_cast<int>(shape) << " method "
                        << static_cast<int>(m) << " vec " << vec;
                    ASSERT_EQ(Multiply(b, a, o), expected) << "swapped " << s.na << "x" << s.nb;
                }
            }
        }
    }
}

TEST(MultiplyTest, SquareAgreesWithSchoolbook) {
    std::mt19937_64 rng(777);
    for (std::size_t n : {1u, 5u, 23u, 63u, 64u, 65u, 160u, 191u, 192u, 193u, 447u, 448u, 449u, 1023u, 2100u}) {
        for (Shape shape : {Shape::kRandom, Shape::kAllNines, Shape::kZeroBlocks}) {
            const Limbs a = MakeOperand(n, shape, rng);
            const Limbs expected = Multiply(a, a, {Method::Schoolbook});
            for (Method m : {Method::Auto, Method::Karatsuba, Method::Ntt}) {
                for (bool vec : {true, false}) {
                    MulOptions o;
                    o.method = m;
                    o.vectorKernels = vec;
                    ASSERT_EQ(Square(a, o), expected) << n << " method " << static_cast<int>(m) << " vec " << vec;
                }
            }
        }
    }
}

// A small transform limit forces chunked products and splitting of products too
// big for one transform.
TEST(MultiplyTest, SmallTransformLimitSplitsCorrectly) {
    std::mt19937_64 rng(99);
    const SizePair sizes[] = {{300, 300}, {700, 250}, {1000, 40}, {257, 256}, {900, 900}};
    for (const auto& s : sizes) {
        const Limbs a = MakeOperand(s.na, Shape::kRandom, rng);
        const Limbs b = MakeOperand(s.nb, Shape::kSparseZeros, rng);
        const Limbs expected = Multiply(a, b, {Method::Schoolbook});
        for (std::size_t limit : {16u, 64u, 512u}) {
            MulOptions o;
            o.method = Method::Ntt;
            o.maxTransform = limit;
            EXPECT_EQ(Multiply(a, b, o), expected) << s.na << "x" << s.nb << " limit " << limit;
            o.method = Method::Auto;
            EXPECT_EQ(Multiply(a, b, o), expected) << s.na << "x" << s.nb << " limit " << limit;
        }
        MulOptions o;
        o.maxTransform = 64;
        EXPECT_EQ(Square(a, o), Multiply(a, a, {Method::Schoolbook})) << s.na;
    }
}

// (10^(9n) - 1) * (10^(9m) - 1) = 10^(9(n+m)) - 10^(9n) - 10^(9m) + 1, written out.
std::string NinesProduct(std::size_t n, std::size_t m) {
    if (n < m) std::swap(n, m);
    const std::size_t dn = 9 * n, dm = 9 * m;
    if (n == m) return std::string(dn - 1, '9') + "8" + std::string(dn - 1, '0') + "1";
    return std::string(dm - 1, '9') + "8" + std::string(dn - dm, '9') + std::string(dm - 1, '0') + "1";
}

// Large operands take the threaded path with the four-way top step; the all-nines
// products have a closed form, random ones are checked by residues.
TEST(MultiplyTest, LargeProductsOnTwoThreads) {
    for (const auto& s : std::vector<SizePair>{{40000, 40000}, {90000, 20000}, {70000, 3000}}) {
        const Limbs a(s.na, calc::bignum::kBase - 1), b(s.nb, calc::bignum::kBase - 1);
        EXPECT_EQ(ToDecimal(Multiply(a, b)), NinesProduct(s.na, s.nb)) << s.na << "x" << s.nb;
    }
    EXPECT_EQ(ToDecimal(Square(Limbs(50000, calc::bignum::kBase - 1))), NinesProduct(50000, 50000));

    std::mt19937_64 rng(2024);
    for (const auto& s : std::vector<SizePair>{{33000, 32999}, {200000, 30000}}) {
        const Limbs a = MakeOperand(s.na, Shape::kRandom, rng);
        const Limbs b = MakeOperand(s.nb, Shape::kSparseZeros, rng);
        const Limbs product = Multiply(a, b);
        const Limbs square = Square(a);
        for (std::uint64_t p : {1000000007ull, 4294967291ull}) {
            const std::uint64_t am = LimbsMod(a, p), bm = LimbsMod(b, p);
            EXPECT_EQ(LimbsMod(product, p), am * bm % p) << s.na << "x" << s.nb;
            EXPECT_EQ(LimbsMod(square, p), am * am % p) << s.na;
        }
        // The same products on one thread and with the portable kernels.
        for (int config = 0; config < 3; ++config) {
            MulOptions o;
            o.threads = config == 0;
            o.vectorKernels = config == 1;
            EXPECT_EQ(Multiply(a, b, o), product) << s.na << "x" << s.nb << " config " << config;
            EXPECT_EQ(Square(a, o), square) << s.na << " config " << config;
        }
    }
}

// With b all (B-1), coefficient k of the product is (B-1)*(a_0 + ... + a_k). These
// digits make coefficient 4's low limb, coefficient 3's middle limb and coefficient
// 2's high limb add up to 2B, the largest carry the transform's carry step meets.
TEST(MultiplyTest, TransformCarryOfTwo) {
    constexpr std::uint32_t kTop = calc::bignum::kBase - 1;
    const Limbs a = {kTop, kTop, kTop, 6, kTop - 1};
    const Limbs b(5, kTop);
    const Limbs expected = Multiply(a, b, {Method::Schoolbook});
    for (bool vec : {true, false}) {
        MulOptions o;
        o.method = Method::Ntt;
        o.vectorKernels = vec;
        EXPECT_EQ(Multiply(a, b, o), expected) << vec;
    }
}

TEST(MultiplyTest, ZeroAndOne) {
    const Limbs x = FromDecimal("123456789012345678901234567890");
    EXPECT_TRUE(Multiply(x, Limbs{}).empty());
    EXPECT_TRUE(Multiply(x, Limbs{0, 0}).empty());
    EXPECT_EQ(Multiply(x, Limbs{1, 0, 0}), x);
    EXPECT_TRUE(Square(Limbs{0}).empty());
}

TEST(DecimalTextTest, RoundTripsAndTrims) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"0", "0"},
        {"", "0"},
        {"000", "0"},
        {"7", "7"},
        {"999999999", "999999999"},
        {"1000000000", "1000000000"},
        {"0001000000000000000001", "1000000000000000001"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToDecimal(FromDecimal(c.in)), c.out) << c.in;
    EXPECT_EQ(FromDecimal("1000000000"), (Limbs{0, 1}));
    EXPECT_THROW(FromDecimal("12a"), std::invalid_argument);
}

}  // namespace
