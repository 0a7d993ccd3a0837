#pragma once
// Edit > Paste of the scientific keypad: the pasted text replayed as key presses.
#include <optional>
#include <string_view>

#include "engine/value.h"
#include "keypad/scientific_keypad.h"

namespace calc {

// Turns `text` into paste tokens and presses, token by token, the key each names;
// numbers are typed digit by digit. Tokens that name no key are skipped. No key is
// added: no "C" first, no "=" at the end. The tokens live only for this paste.
void PasteText(ScientificKeypad& keypad, std::string_view text);

// Types a number: presses the digit keys and "." for its characters, in order.
void TypeNumber(ScientificKeypad& keypad, std::string_view text);

// The key a non-number paste token presses: the operators, "(", ")", "=", the key
// codes of the functions ("!" n!, "n" ln, "l" log, "r" 1/x, "s" sin, "o" cos, "t" tan,
// "@" x^2, "#" x^3, ";" Int, "y" power, "%" Mod) and "negative" (+/-); nothing for
// any other token.
std::optional<Key> ReplayKey(const Value& token);

}  // namespace calc
