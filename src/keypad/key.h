#pragma once
// The keys of both keypads, and what a key means to the engine.
#include <optional>

#include "engine/functions.h"
#include "engine/operators.h"

namespace calc {

enum class Key {
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Point,
    Sign,
    BackSpace,
    ClearEntry,
    Clear,
    Equals,
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    Modulo,  // the binary operators
    OpenParen,
    CloseParen,
    Reciprocal,  // both keypads
    SquareRoot,
    Percent,  // standard keypad
    Ln,
    Log,
    Factorial,
    Sin,
    Cos,
    Tan,
    Square,
    Cube,
    Int,  // scientific functions
    Pi,
    MemoryClear,
    MemoryRecall,
    MemoryStore,
    MemoryAdd,
};

// The key of a digit 0..9, and the digit a digit key types (or nothing).
Key DigitKey(int digit);
std::optional<int> DigitOf(Key key);
// The operator of a binary operator key, or nothing.
std::optional<BinaryOp> BinaryOpOf(Key key);
// The function of a scientific function key (ln ... Int, and 1/x), or nothing.
std::optional<Function> FunctionOf(Key key);

// The two keypads, each with a window of its own.
enum class Mode { Standard, Scientific };

}  // namespace calc
