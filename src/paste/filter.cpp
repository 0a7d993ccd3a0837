#include "paste/filter.h"

#include <cstdint>
#include <string>
#include <vector>

#include "bignum/stop.h"
#include "engine/errors.h"
#include "engine/value.h"

namespace calc {

namespace {

constexpr std::string_view kNumberChars = "0123456789.";
constexpr std::string_view kOperatorChars = "+-*/()yY=%!nNlLrRsSoOtT@#;";

// Decodes UTF-8 and yields the characters that matter to the filter as ASCII: an
// ASCII character as itself, a full-width form (U+FF01..U+FF5E) as its ASCII
// counterpart, anything else (and every invalid byte) as 0, which neither set holds.
std::string Normalise(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        std::size_t len = 0;
        std::uint32_t cp = 0;
        std::uint32_t min = 0;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
            min = 0x10000;
        }
        bool valid = len != 0 && i + len <= n;
        for (std::size_t k = 1; valid && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                valid = false;
            else
                cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (!valid || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            ++i;  // an invalid byte is dropped on its own
            continue;
        }
        i += len;
        if (cp >= 0xFF01 && cp <= 0xFF5E) out.push_back(static_cast<char>(cp - 0xFEE0));
    }
    return out;
}

// Leading number of a scanned token, for the leading-minus rule only: a number too
// large for a double counts as not 0 rather than failing.
bool LeadsWithNonZero(const std::string& token) {
    try {
        return LeadingNumber(std::string_view(token)) != 0;
    } catch (const RuntimeError&) {
        return true;
    }
}

}  // namespace

bool IsNumberChar(char c) { return c != 0 && kNumberChars.find(c) != std::string_view::npos; }
bool IsOperatorChar(char c) { return c != 0 && kOperatorChars.find(c) != std::string_view::npos; }

TokenList PasteTokens(std::string_view text) {
    TokenList tokens(TokenList::Tracking::None);  // only ever read in order
    const std::string chars = Normalise(text);

    // The scan list, kept as pieces of one buffer so that a long text costs a few
    // bytes per token: each number text (its dropped characters left out) and each
    // operator character.
    struct Piece {
        std::size_t offset, length;
    };
    std::string buffer;
    buffer.reserve(chars.size());
    std::vector<Piece> scan;
    scan.reserve(chars.size() + 1);  // at most one token a character
    if (text.empty()) scan.push_back({0, 0});
    std::size_t pos = 0;
    const std::size_t n = chars.size();
    while (pos < n) {
        ThrowIfStopRequested();
        const std::size_t start = buffer.size();
        while (pos < n && !IsOperatorChar(chars[pos])) {
            if (IsNumberChar(chars[pos])) buffer.push_back(chars[pos]);
            ++pos;
        }
        if (buffer.size() > start) {
            if (buffer.size() - start == 1 && buffer.back() == '.') buffer.back() = '0';  // a lone point
            scan.push_back({start, buffer.size() - start});
        }
        if (pos < n) {
            buffer.push_back(chars[pos++]);
            scan.push_back({buffer.size() - 1, 1});
        }
    }
    auto piece = [&](std::size_t k) { return std::string(buffer, scan[k].offset, scan[k].length); };

    if (scan.empty()) return tokens;  // no token at all: nothing to replay
    tokens.Reserve(scan.size() + 1);
    std::size_t k = 0;
    if (piece(0) == "-") {
        // A leading run of minus signs is one sign change of the first operand.
        k = 1;
        while (k < scan.size() && piece(k) == "-") ++k;
        if (k == scan.size()) return tokens;  // only minus signs: nothing to replay
        if (LeadsWithNonZero(piece(k))) {
            tokens.Add(Value(piece(k)));
            ++k;
        } else {
            tokens.Add(Value(std::int16_t{0}));
        }
        tokens.Add(Value("negative"));
    }
    for (; k < scan.size(); ++k) {
        ThrowIfStopRequested();
        tokens.Add(Value(piece(k)));
    }
    return tokens;
}

}  // namespace calc
