#pragma once
// The keys of both keypads, and what a key means to the engine.
#include <optional>

#include "engine/functions.h"
#include "engine/operators.h"

namespace calc {

// clang-format off
enum class Key {
    // Typing a number.
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    Point, Sign, BackSpace, ClearEntry, Clear,
    // The binary operators, "=" and the parentheses.
    Add, Subtract, Multiply, Divide, Power, Modulo, Equals, OpenParen, CloseParen,
    // Functions of the shown value: 1/x on both keypads, square root and percentage on the
    // standard one, the rest on the scientific one.
    Reciprocal, SquareRoot, Percent, Ln, Log, Factorial, Sin, Cos, Tan, Square, Cube, Int,
    // Pi and the memory.
    Pi, MemoryClear, MemoryRecall, MemoryStore, MemoryAdd,
};
// clang-format on

// The key of a digit 0..9, and the digit a digit key types (or nothing).
constexpr Key DigitKey(int digit) { return static_cast<Key>(static_cast<int>(Key::Digit0) + digit); }
constexpr std::optional<int> DigitOf(Key key) {
    const int offset = static_cast<int>(key) - static_cast<int>(Key::Digit0);
    if (offset >= 0 && offset <= 9) return offset;
    return std::nullopt;
}
// The operator of a binary operator key, or nothing.
std::optional<BinaryOp> BinaryOpOf(Key key);
// The function of a scientific function key (ln ... Int, and 1/x), or nothing.
std::optional<Function> FunctionOf(Key key);

// The two keypads, each with a window of its own.
enum class Mode { Standard, Scientific };

}  // namespace calc
