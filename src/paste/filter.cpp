#include "paste/filter.h"

#include <cstdint>
#include <string>

#include "work/stop.h"
#include "engine/errors.h"
#include "engine/operators.h"
#include "engine/value.h"

namespace calc {

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '.'; }
bool IsOperatorChar(char c) { return OperatorRowOf(c) != nullptr; }

char ReadChar(std::string_view text, std::size_t& pos) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char c = s[pos];
    if (c < 0x80) {
        ++pos;
        return static_cast<char>(c);
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
    bool valid = len != 0 && pos + len <= text.size();
    for (std::size_t k = 1; valid && k < len; ++k) {
        if ((s[pos + k] & 0xC0) != 0x80)
            valid = false;
        else
            cp = (cp << 6) | (s[pos + k] & 0x3F);
    }
    if (!valid || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;  // an invalid byte is dropped on its own
        return 0;
    }
    pos += len;
    return cp >= 0xFF01 && cp <= 0xFF5E ? static_cast<char>(cp - 0xFEE0) : 0;
}

std::optional<PastePiece> PasteScanner::Next() {
    while (pos_ < text_.size()) {
        PastePiece piece;
        piece.begin = pos_;
        std::size_t next = pos_;
        char c = 0;
        // The run of non-operator characters up to the next operator character.
        while (pos_ < text_.size()) {
            c = ReadChar(text_, next);
            if (IsOperatorChar(c)) break;
            piece.digits = piece.digits || (c >= '0' && c <= '9');
            piece.points += c == '.' ? 1 : 0;
            pos_ = next;
        }
        piece.end = pos_;
        if (piece.digits || piece.points > 0) return piece;
        if (pos_ < text_.size()) {
            pos_ = next;
            return PastePiece{.op = c};
        }
    }
    return std::nullopt;
}

bool LeadsWithNonZero(std::string_view text, const PastePiece& piece) {
    if (piece.op != 0) return false;
    // The number's characters up to a second point: all that its leading number reads.
    std::string number;
    bool point = false;
    for (std::size_t pos = piece.begin; pos < piece.end;) {
        const char c = ReadChar(text, pos);
        if (c == '.' && point) break;
        point = point || c == '.';
        if (IsNumberChar(c)) number.push_back(c);
    }
    try {
        return LeadingNumber(std::string_view(number)) != 0;
    } catch (const RuntimeError&) {
        return true;
    }
}

}  // namespace calc
