// Decimal text of limb arrays and back: each limb is exactly nine digits, so no base
// conversion is needed.
#include "bignum/bignum.h"
#include "bignum/limbs.h"
#include "work/stop.h"

#include <cstring>
#include <stdexcept>

namespace calc::bignum {
namespace detail {
namespace {

// About a hundred microseconds of writing digits.
constexpr std::size_t kLimbsPerStopCheck = std::size_t{1} << 14;

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

}  // namespace

std::string DecimalText(const Limb* x, std::size_t n, std::size_t zeros) {
    if (n == 0) return "0";
    const std::string top = std::to_string(x[n - 1]);
    std::string s(top.size() + kLimbDigits * (n - 1) + zeros, '0');
    char* p = s.data();
    std::memcpy(p, top.data(), top.size());
    p += top.size();
    for (std::size_t k = n - 1; k-- > 0; p += kLimbDigits) {
        if (k % kLimbsPerStopCheck == 0) ThrowIfStopRequested();
        WriteLimb(p, x[k]);
    }
    return s;
}

}  // namespace detail

std::string ToDecimal(const Limbs& a) {
    return detail::DecimalText(a.data(), detail::TrimmedSize(a.data(), a.size()), 0);
}

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
    detail::Trim(x);
    return x;
}

}  // namespace calc::bignum
