#pragma once
// Reads a pasted text as the paste replays it: piece by piece, straight from the text,
// with no copy of it and no list of its pieces.
#include <cstddef>
#include <optional>
#include <string_view>

namespace calc {

// Whether an ASCII character is a number character ("0-9" and ".") or a character of
// the operator table.
bool IsNumberChar(char c);
bool IsOperatorChar(char c);

// The character of `text` at byte `pos` as the filter reads it, and `pos` moved past it:
// an ASCII character as itself, a full-width form (U+FF01..U+FF5E) as its ASCII
// counterpart, any other character, and each invalid UTF-8 byte on its own, as 0.
char ReadChar(std::string_view text, std::size_t& pos);

// One piece of a pasted text: either one operator character, or a number, which is a
// run of characters up to the next operator character holding at least one number
// character (the others in it are dropped).
struct PastePiece {
    char op = 0;                     // the operator character, 0 for a number
    std::size_t begin = 0, end = 0;  // a number's run: bytes begin..end-1 of the text
    bool digits = false;             // whether a number has digits ...
    std::size_t points = 0;          // ... and how many points

    bool IsOperator(char c) const { return op == c; }
};

// The pieces of a text, in order.
class PasteScanner {
public:
    explicit PasteScanner(std::string_view text) : text_(text) {}
    // The next piece, or nothing at the end of the text.
    std::optional<PastePiece> Next();

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Whether a piece starts with a number other than 0: its leading number (up to a second
// point), a number too large for a double counting as not 0. An operator is 0.
bool LeadsWithNonZero(std::string_view text, const PastePiece& piece);

}  // namespace calc
