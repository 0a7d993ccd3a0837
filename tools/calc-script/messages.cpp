#include "messages.h"

namespace calc::script {

namespace {

// The length of the UTF-8 sequence that starts text[i], or 0 when none does (a stray continuation byte,
// an overlong or surrogate form, a cut sequence).
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t n = lead < 0x80                   ? 1
                          : lead >= 0xC2 && lead < 0xE0 ? 2
                          : lead >= 0xE0 && lead < 0xF0 ? 3
                          : lead >= 0xF0 && lead < 0xF5 ? 4
                                                        : 0;
    if (n == 0 || i + n > text.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    const unsigned char second = n > 1 ? byte(i + 1) : 0x80;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90)) {
        return 0;
    }
    return n;
}

}  // namespace

std::string Printable(std::string_view text, std::size_t limit) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (chars++ == limit) return out + "…";
        const std::size_t n = Utf8Length(text, i);
        const auto c = static_cast<unsigned char>(text[i]);
        if (n == 0 || c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += "0123456789abcdef"[c >> 4];
            out += "0123456789abcdef"[c & 15];
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

}  // namespace calc::script
