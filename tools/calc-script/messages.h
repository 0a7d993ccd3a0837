#pragma once
// What calc-script says about its input: never the raw bytes of a line, never more of it than a reader
// can take in.
#include <cstddef>
#include <string>
#include <string_view>

namespace calc::script {

// The characters of a quoted excerpt before it is cut with "…".
inline constexpr std::size_t kExcerptChars = 80;

// The character that starts text[i]: its code and its length in bytes (0 when no UTF-8 sequence starts there: a
// stray continuation byte, an overlong or surrogate form, a cut sequence).
struct Utf8Char {
    char32_t code = 0;
    std::size_t length = 0;
};
Utf8Char DecodeUtf8(std::string_view text, std::size_t i);

// Characters a reader cannot see or that change how the text around them is shown: control characters, Unicode
// blanks other than the space, invisible format characters (bidi controls, zero widths, the byte order mark).
bool Unprintable(char32_t code);

// `text` with bytes that are not UTF-8 and ASCII controls written as \xNN, other unprintable characters as
// \uXXXX (\UXXXXXXXX above U+FFFF), cut after `limit` characters with "…".
std::string Printable(std::string_view text, std::size_t limit = std::string_view::npos);

// A piece of input or of the state in a message: "…", printable and cut to kExcerptChars.
inline std::string Quote(std::string_view text) { return "\"" + Printable(text, kExcerptChars) + "\""; }

// "empty KIND", "blank KIND \"…\"" (nothing a reader would see) or "unknown KIND \"…\"": a word that is not one of
// the language's.
std::string Unknown(std::string_view kind, std::string_view word);

}  // namespace calc::script
