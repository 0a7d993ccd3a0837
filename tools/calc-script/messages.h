#pragma once
// What calc-script says about its input: never the raw bytes of a line, never more of it than a reader
// can take in.
#include <cstddef>
#include <string>
#include <string_view>

namespace calc::script {

// The characters of a quoted excerpt before it is cut with "…".
inline constexpr std::size_t kExcerptChars = 80;

// `text` with control characters and bytes that are not UTF-8 written as \xNN, cut after `limit`
// characters with "…".
std::string Printable(std::string_view text, std::size_t limit = std::string_view::npos);

// A piece of input or of the state in a message: "…", printable and cut to kExcerptChars.
inline std::string Quote(std::string_view text) { return "\"" + Printable(text, kExcerptChars) + "\""; }

}  // namespace calc::script
