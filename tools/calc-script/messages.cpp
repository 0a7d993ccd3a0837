#include "messages.h"

#include <algorithm>
#include <iterator>

namespace calc::script {

namespace {

// The unprintable characters from U+0080 on, as closed ranges in order.
struct CodeRange {
    // cppcheck-suppress unusedStructMember ; both are read through the std::find_if below, which it does not see
    char32_t first, last;
};
constexpr CodeRange kUnprintable[] = {
    {0x80, 0xA0},     {0xAD, 0xAD},     {0x600, 0x605},   {0x61C, 0x61C},     {0x6DD, 0x6DD},    {0x70F, 0x70F},
    {0x180E, 0x180E}, {0x1680, 0x1680}, {0x2000, 0x200F}, {0x2028, 0x202F},   {0x205F, 0x206F},  {0x3000, 0x3000},
    {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB}, {0xFFFE, 0xFFFF}, {0x1D173, 0x1D17A}, {0xE0000, 0xE007F}};

void AppendHex(std::string& out, char32_t code, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += "0123456789abcdef"[(code >> shift) & 15];
}

}  // namespace

Utf8Char DecodeUtf8(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const std::size_t n = lead < 0x80                   ? 1
                          : lead >= 0xC2 && lead < 0xE0 ? 2
                          : lead >= 0xE0 && lead < 0xF0 ? 3
                          : lead >= 0xF0 && lead < 0xF5 ? 4
                                                        : 0;
    if (n == 0 || i + n > text.size()) return {};
    char32_t code = n == 1 ? lead : lead & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return {};
        code = code << 6 | (byte(i + k) & 0x3F);
    }
    const unsigned char second = n > 1 ? byte(i + 1) : 0x80;
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second >= 0x90)) {
        return {};
    }
    return {code, n};
}

bool Unprintable(char32_t code) {
    if (code < 0x20 || code == 0x7F) return true;
    const auto* range = std::find_if(std::begin(kUnprintable), std::end(kUnprintable),
                                     [code](const auto& r) { return code <= r.last; });
    return range != std::end(kUnprintable) && code >= range->first;
}

std::string Printable(std::string_view text, std::size_t limit) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (chars++ == limit) return out + "…";
        const Utf8Char c = DecodeUtf8(text, i);
        if (c.length == 0 || c.code < 0x80) {
            if (c.length == 0 || Unprintable(c.code)) {
                out += "\\x";
                AppendHex(out, static_cast<unsigned char>(text[i]), 2);
            } else {
                out += text[i];
            }
            ++i;
            continue;
        }
        if (Unprintable(c.code)) {
            out += c.code > 0xFFFF ? "\\U" : "\\u";
            AppendHex(out, c.code, c.code > 0xFFFF ? 8 : 4);
        } else {
            out.append(text.substr(i, c.length));
        }
        i += c.length;
    }
    return out;
}

std::string Unknown(std::string_view kind, std::string_view word) {
    if (word.empty()) return "empty " + std::string(kind);
    bool blank = true;  // nothing in it that a reader would see
    for (std::size_t i = 0; i < word.size() && blank;) {
        const Utf8Char c = DecodeUtf8(word, i);
        blank = c.length > 0 && (c.code == ' ' || Unprintable(c.code));
        i += c.length;
    }
    return (blank ? "blank " : "unknown ") + std::string(kind) + " " + Quote(word);
}

}  // namespace calc::script
