#pragma once
// Edit > Paste of the scientific window: the pasted text replayed as key presses.
#include <string>
#include <string_view>

#include "scientific/scientific_window.h"

namespace calc {

// Filters `text` into the store's paste list and presses, token by token, the key
// each token names; numbers are typed digit by digit. Tokens that name no key are
// skipped. No key is added: no "C" first, no "=" at the end.
void PasteExpression(ScientificWindow& window, std::string_view text);

// Types a number: clicks the digit keys and "." for its characters, in order.
void ReplayNumber(ScientificWindow& window, const std::string& text);

// The key a paste token presses (-1 for none, -2 for a number to type).
int ReplayKey(const Value& token);

}  // namespace calc
