#pragma once
// Edit > Paste of the scientific keypad: the pasted text replayed as key presses.
#include <optional>
#include <string_view>

#include "keypad/scientific_keypad.h"

namespace calc {

// Presses, piece by piece as the text is read, the keys its pieces name: a number digit
// by digit (a number with two points is skipped, a lone point types 0), an operator
// character its key. A text that starts with "-" changes the sign of its first
// operand: the first number, followed by +/- (or 0 and +/- when that number is 0 or
// another piece comes first); a run of minus signs counts as one, and a text of minus
// signs alone presses nothing. No key is added: no "C" first, no "=" at the end. The
// paste holds nothing but the text and a few counters (and, for a leading minus, the
// first number up to its second point).
void PasteText(ScientificKeypad& keypad, std::string_view text);

// The key an operator character of a paste presses, or nothing for any other character.
std::optional<Key> ReplayKey(char c);

}  // namespace calc
