#include "engine/factorial.h"

#include <vector>

namespace calc {

// Placeholder: schoolbook product in radix 10^9.
std::string Factorial(std::int32_t num) {
    std::vector<std::uint32_t> limbs{1};
    for (std::int32_t i = 2; i <= num; ++i) {
        std::uint64_t carry = 0;
        for (auto& l : limbs) {
            std::uint64_t t = std::uint64_t(l) * std::uint64_t(i) + carry;
            l = std::uint32_t(t % 1000000000u);
            carry = t / 1000000000u;
        }
        while (carry) {
            limbs.push_back(std::uint32_t(carry % 1000000000u));
            carry /= 1000000000u;
        }
    }
    std::string out = std::to_string(limbs.back());
    for (std::size_t k = limbs.size() - 1; k-- > 0;) {
        std::string piece = std::to_string(limbs[k]);
        out.append(9 - piece.size(), '0');
        out += piece;
    }
    return out;
}

}  // namespace calc
