#pragma once
// Turns a pasted text into the tokens that the paste replays as key presses.
#include <string_view>

#include "engine/token_list.h"

namespace calc {

// The tokens of a pasted text, in order: number texts (runs of "0-9" and "."),
// one-character operator and key-code tokens, and for a text that starts with "-"
// an operand followed by "negative". Characters of neither kind are dropped, also
// inside a number. Full-width forms count as their ASCII counterparts; invalid UTF-8
// bytes are dropped. The empty text gives one empty token; a text with no token, or
// with only "-" tokens, leaves the list empty.
TokenList PasteTokens(std::string_view text);

// Whether an ASCII character is a number character or an operator character.
bool IsNumberChar(char c);
bool IsOperatorChar(char c);

}  // namespace calc
