// Exact factorial and the radix-10^9 multiplication behind it.
#include "app/calculator.h"
#include "bignum/bignum.h"
#include "work/scratch.h"
#include "work/stop.h"
#include "engine/errors.h"
#include "engine/factorial.h"
#include "support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#if defined(__linux__)
#include <sys/resource.h>
#include <unistd.h>
#endif

// Sanitizer runtimes reserve huge address ranges: no address-space limit (allocation-failure test) under them.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CALC_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define CALC_TEST_SANITIZED 1
#endif
#endif

namespace {

using calc::Factorial;
using namespace calc::bignum;

std::uint64_t TextMod(const std::string& s, std::uint64_t p) {
    std::uint64_t r = 0;
    for (char c : s) r = (r * 10 + static_cast<std::uint64_t>(c - '0')) % p;
    return r;
}

// 0! and below are 1; n! against the running product modulo a prime, the digit count from the running
// sum of log10 k and the trailing zeros n/5 + n/25 + ...: every n up to 1200 (all the small shapes of the
// exponent bits, the removal of factors 10 and the digit-count estimate), then three large n.
TEST(FactorialTest, MatchesTheRunningProduct) {
    for (std::int32_t n : {0, -1, INT32_MIN}) {
        EXPECT_EQ(Factorial(n), "1") << n;
        EXPECT_EQ(FactorialDigitEstimate(n), 1) << n;
    }
    constexpr std::uint64_t kP = 4294967291;  // largest prime below 2^32
    std::uint64_t residue = 1;
    double log10 = 0;
    for (std::int32_t n = 1; n <= 100000; ++n) {
        residue = residue * static_cast<std::uint64_t>(n) % kP;
        log10 += std::log10(n);
        if (n > 1200 && n != 3000 && n != 65537 && n != 100000) continue;
        const std::string text = Factorial(n);
        std::size_t zeros = 0;
        for (std::int32_t f = 5; f <= n; f *= 5) zeros += static_cast<std::size_t>(n / f);
        ASSERT_EQ(TextMod(text, kP), residue) << n;
        ASSERT_EQ(text.size(), static_cast<std::size_t>(log10) + 1) << n;
        ASSERT_EQ(text.size() - 1 - text.find_last_not_of('0'), zeros) << n;
        ASSERT_EQ(static_cast<std::int64_t>(text.size()), FactorialDigitEstimate(n)) << n;
    }
}

// The last argument within 100 million digits and the first beyond, which fails at once (out of memory).
TEST(FactorialTest, TooManyDigitsRaisesOutOfMemoryWithoutComputing) {
    EXPECT_EQ(FactorialDigitEstimate(14842906), 99999994);
    EXPECT_EQ(FactorialDigitEstimate(14842907), 100000001);
    for (std::int32_t n : {14842907, INT32_MAX})
        EXPECT_EQ(Raised([&] { (void)Factorial(n); }), calc::ErrorKind::OutOfMemory) << n;
}

#if defined(__linux__) && !defined(CALC_TEST_SANITIZED)
// With the address space capped 64 MB above what the process uses, 14000000! (about 650 MB) fails as the
// calculator's out-of-memory error, not as std::bad_alloc or a crash (any other exception: std::terminate).
TEST(FactorialDeathTest, AllocationFailureBecomesOutOfMemory) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsigned long pages = 0;
            std::ifstream("/proc/self/statm") >> pages;
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            limit.rlim_cur = pages * static_cast<unsigned long>(sysconf(_SC_PAGESIZE)) + (64ul << 20);
            setrlimit(RLIMIT_AS, &limit);
            std::_Exit(Raised([] { (void)Factorial(14000000); }) == calc::ErrorKind::OutOfMemory ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}
#endif

enum class Shape { Random, AllNines, SparseZeros, ZeroBlocks, PowerOfBase };

Limbs MakeOperand(std::size_t n, Shape shape, std::mt19937_64& rng) {
    std::uniform_int_distribution<std::uint32_t> limb(0, kBase - 1);
    Limbs a(n);
    for (std::size_t i = 0; i < n; ++i) {
        switch (shape) {
            case Shape::Random: a[i] = limb(rng); break;
            case Shape::AllNines: a[i] = kBase - 1; break;
            case Shape::SparseZeros: a[i] = rng() % 3 == 0 ? 0 : limb(rng); break;
            case Shape::ZeroBlocks: a[i] = (i / 7) % 2 == 0 ? 0 : limb(rng); break;
            case Shape::PowerOfBase: a[i] = 0; break;
        }
    }
    a[n - 1] = shape == Shape::PowerOfBase ? 1 : std::max<std::uint32_t>(a[n - 1], 1);
    return a;
}

struct SizePair {
    std::size_t na, nb;
};

// Sizes on both sides of the schoolbook/Karatsuba/transform switches of products and squares (for the AVX2
// and the portable kernels), odd splits, and lopsided pairs that go through in pieces.
const SizePair kSizes[] = {
    {1, 1},     {1, 57},    {2, 2},     {17, 16},     {23, 23},   {47, 49},    {63, 64},   {64, 63},    {65, 64},
    {95, 96},   {159, 159}, {160, 160}, {161, 158},   {191, 192}, {193, 5},    {300, 299}, {447, 448},  {449, 513},
    {511, 513}, {639, 640}, {641, 700}, {1024, 1024}, {1023, 17}, {1500, 400}, {2000, 30}, {2100, 161}, {3001, 2999},
};

// Every method and kernel against the schoolbook product, both ways round, and the squares of both operands.
TEST(MultiplyTest, AllMethodsAgreeWithSchoolbook) {
    std::mt19937_64 rng(12345);
    for (const auto& s : kSizes) {
        for (Shape shape :
             {Shape::Random, Shape::AllNines, Shape::SparseZeros, Shape::ZeroBlocks, Shape::PowerOfBase}) {
            const Limbs a = MakeOperand(s.na, shape, rng);
            const Limbs b = MakeOperand(s.nb, shape == Shape::PowerOfBase ? Shape::Random : shape, rng);
            const Limbs expected = Multiply(a, b, {Method::Schoolbook});
            const Limbs squareA = Multiply(a, a, {Method::Schoolbook}), squareB = Multiply(b, b, {Method::Schoolbook});
            for (Method m : {Method::Auto, Method::Karatsuba, Method::Ntt}) {
                for (bool vectorKernels : {true, false}) {
                    SCOPED_TRACE(testing::Message()
                                 << s.na << "x" << s.nb << " shape " << static_cast<int>(shape) << " method "
                                 << static_cast<int>(m) << " vectorKernels " << vectorKernels);
                    const MulOptions o{m, vectorKernels};
                    ASSERT_EQ(Multiply(a, b, o), expected);
                    ASSERT_EQ(Multiply(b, a, o), expected);
                    ASSERT_EQ(Square(a, o), squareA);
                    ASSERT_EQ(Square(b, o), squareB);
                }
            }
        }
    }
}

// A small transform limit forces chunked products and splitting of products too big for one transform.
TEST(MultiplyTest, SmallTransformLimitSplitsCorrectly) {
    std::mt19937_64 rng(99);
    const SizePair sizes[] = {{300, 300}, {700, 250}, {1000, 40}, {257, 256}, {900, 900}};
    for (const auto& s : sizes) {
        const Limbs a = MakeOperand(s.na, Shape::Random, rng);
        const Limbs b = MakeOperand(s.nb, Shape::SparseZeros, rng);
        const Limbs expected = Multiply(a, b, {Method::Schoolbook});
        for (std::size_t limit : {16u, 64u, 512u}) {
            for (Method m : {Method::Ntt, Method::Auto}) {
                EXPECT_EQ(Multiply(a, b, {m, true, limit}), expected) << s.na << "x" << s.nb << " limit " << limit;
            }
        }
        EXPECT_EQ(Square(a, {Method::Auto, true, 64}), Multiply(a, a, {Method::Schoolbook})) << s.na;
    }
}

// (10^(9n) - 1) * (10^(9m) - 1) = 10^(9(n+m)) - 10^(9n) - 10^(9m) + 1 for n >= m, written out.
std::string NinesProduct(std::size_t n, std::size_t m) {
    const std::size_t dn = 9 * n, dm = 9 * m;
    return std::string(dm - 1, '9') + "8" + std::string(dn - dm, '9') + std::string(dm - 1, '0') + "1";
}

// Large operands take the threaded path with the four-way top step: all-nines products against their closed
// form, random ones by residues, the same with the portable kernels and on one thread.
TEST(MultiplyTest, LargeProductsOnTwoThreads) {
    for (const auto& s : std::vector<SizePair>{{40000, 40000}, {90000, 20000}, {70000, 3000}}) {
        const Limbs a(s.na, kBase - 1), b(s.nb, kBase - 1);
        EXPECT_EQ(ToDecimal(Multiply(a, b)), NinesProduct(s.na, s.nb)) << s.na << "x" << s.nb;
    }
    EXPECT_EQ(ToDecimal(Square(Limbs(50000, kBase - 1))), NinesProduct(50000, 50000));

    std::mt19937_64 rng(2024);
    for (const auto& s : std::vector<SizePair>{{33000, 32999}, {200000, 30000}}) {
        const Limbs a = MakeOperand(s.na, Shape::Random, rng);
        const Limbs b = MakeOperand(s.nb, Shape::SparseZeros, rng);
        const Limbs product = Multiply(a, b);
        const Limbs square = Square(a);
        for (std::uint64_t p : {1000000007ull, 4294967291ull}) {
            const std::uint64_t am = TextMod(ToDecimal(a), p), bm = TextMod(ToDecimal(b), p);
            EXPECT_EQ(TextMod(ToDecimal(product), p), am * bm % p) << s.na << "x" << s.nb;
            EXPECT_EQ(TextMod(ToDecimal(square), p), am * am % p) << s.na;
        }
        for (const MulOptions& o : {MulOptions{Method::Auto, false}, MulOptions{Method::Auto, true, 0, false},
                                    MulOptions{Method::Auto, false, 0, false}}) {
            EXPECT_EQ(Multiply(a, b, o), product) << s.na << "x" << s.nb << " vectorKernels " << o.vectorKernels;
            EXPECT_EQ(Square(a, o), square) << s.na << " threads " << o.threads;
        }
    }
}

// With b all (B-1), coefficient k is (B-1)*(a_0 + ... + a_k): these digits make the carry step meet its
// largest carry, 2B (coefficient 4's low, 3's middle and 2's high limb).
TEST(MultiplyTest, TransformCarryOfTwo) {
    constexpr std::uint32_t kTop = kBase - 1;
    const Limbs a = {kTop, kTop, kTop, 6, kTop - 1};
    const Limbs b(5, kTop);
    const Limbs expected = Multiply(a, b, {Method::Schoolbook});
    for (bool vectorKernels : {true, false})
        EXPECT_EQ(Multiply(a, b, {Method::Ntt, vectorKernels}), expected) << vectorKernels;
}

// Long work asked to stop ends with Stopped, on the products' helper thread too, past every key's error trap.
TEST(StopTest, LongWorkEndsWithStoppedPastEveryErrorTrap) {
    calc::StopSignal stop;
    stop.Raise();
    const calc::AnswerStopsTo answer(stop);
    calc::MemoryPlatform platform;
    calc::Calculator calculator(platform);
    calculator.ShowMode(calc::Mode::Scientific);
    platform.clipboard = "1000!";
    calc::work::TwoThreads pair;
    // clang-format off
    const std::vector<std::pair<const char*, std::function<void()>>> work = {
        {"product", [] { Square(Limbs(400, kBase - 1)); }},
        {"helper thread", [&] { pair.Run([](int part) { if (part == 1) calc::ThrowIfStopRequested(); }); }},
        {"decimal text", [] { ToDecimal(Limbs(std::size_t{1} << 15, 1)); }},
        {"paste", [&] { calculator.PasteClipboard(); }},
        {"n! key", [&] { for (calc::Key k : {calc::Key::Digit1, calc::Key::Digit0, calc::Key::Digit0,
                                             calc::Key::Factorial}) calculator.Press(k); }}};
    // clang-format on
    for (const auto& [name, run] : work) EXPECT_THROW(run(), calc::Stopped) << name;
}

// Zero, one and high zero limbs; decimal text without leading zeros, and back.
TEST(DecimalTextTest, RoundTripsAndTrims) {
    const Limbs x = FromDecimal("123456789012345678901234567890");
    EXPECT_TRUE(Multiply(x, Limbs{}).empty());
    EXPECT_TRUE(Multiply(x, Limbs{0, 0}).empty());
    EXPECT_EQ(Multiply(x, Limbs{1, 0, 0}), x);
    EXPECT_TRUE(Square(Limbs{0}).empty());
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {{"0", "0"}, {"", "0"}, {"000", "0"}, {"7", "7"},
        {"999999999", "999999999"}, {"1000000000", "1000000000"}, {"0001000000000000000001", "1000000000000000001"}};
    // clang-format on
    for (const auto& [in, out] : cases) EXPECT_EQ(ToDecimal(FromDecimal(in)), out) << in;
    EXPECT_EQ(FromDecimal("1000000000"), (Limbs{0, 1}));
    EXPECT_THROW(FromDecimal("12a"), std::invalid_argument);
}

}  // namespace
