#pragma once
// The key table: every key of both keypads with its caption, what it means and its index
// on each keypad. The keypads, the paste replay and the windows read it; nothing else
// spells a key. A new key is an enumerator and its row here (its meaning a row of the
// operator table, engine/operators.h, when it is an operator or a function), and its
// place in the window layout (ui/layout.cpp).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>

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

// The two keypads, each with a window of its own.
enum class Mode { Standard, Scientific };

// A key that types a digit.
struct Digit {
    int value;
    constexpr bool operator==(const Digit&) const = default;
};
// A key the keypad carries out itself (the key names what): the point, the sign,
// BackSpace, CE, C, the percentage, pi and the memory keys.
struct Command {
    constexpr bool operator==(const Command&) const = default;
};
// What a key means: a digit, or a row of the operator table, or a command.
using KeyMeaning = std::variant<Command, Digit, BinaryOp, Function, Mark>;

struct KeyRow {
    Key key;
    const char* caption;
    KeyMeaning meaning;
    // The key's index on each keypad (how a scenario's `click N` and the fuzzers name
    // it), -1 on a keypad without the key.
    std::int8_t standard;
    std::int8_t scientific;
};

// One row per key, in the order of the enumerators.
// clang-format off
inline constexpr std::array<KeyRow, 41> kKeyRows{{
    // key                 caption      meaning                   standard scientific
    {Key::Digit0,          "0",         Digit{0},                 0,       0},
    {Key::Digit1,          "1",         Digit{1},                 1,       1},
    {Key::Digit2,          "2",         Digit{2},                 2,       2},
    {Key::Digit3,          "3",         Digit{3},                 3,       3},
    {Key::Digit4,          "4",         Digit{4},                 4,       4},
    {Key::Digit5,          "5",         Digit{5},                 5,       5},
    {Key::Digit6,          "6",         Digit{6},                 6,       6},
    {Key::Digit7,          "7",         Digit{7},                 7,       7},
    {Key::Digit8,          "8",         Digit{8},                 8,       8},
    {Key::Digit9,          "9",         Digit{9},                 9,       9},
    {Key::Point,           ".",         Command{},                10,      10},
    {Key::Sign,            "+/-",       Command{},                16,      15},
    {Key::BackSpace,       "BackSpace", Command{},                22,      38},
    {Key::ClearEntry,      "CE",        Command{},                21,      37},
    {Key::Clear,           "C",         Command{},                20,      20},
    {Key::Add,             "+",         BinaryOp::Add,            11,      11},
    {Key::Subtract,        "-",         BinaryOp::Subtract,       12,      12},
    {Key::Multiply,        "*",         BinaryOp::Multiply,       13,      13},
    {Key::Divide,          "/",         BinaryOp::Divide,         14,      14},
    {Key::Power,           "x^y",       BinaryOp::Power,          -1,      18},
    {Key::Modulo,          "Mod",       BinaryOp::Modulo,         -1,      35},
    {Key::Equals,          "=",         Mark::Equals,             15,      19},
    {Key::OpenParen,       "(",         Mark::OpenParen,          -1,      16},
    {Key::CloseParen,      ")",         Mark::CloseParen,         -1,      17},
    {Key::Reciprocal,      "1/x",       Function::Reciprocal,     19,      28},
    {Key::SquareRoot,      "Sqrt",      Function::SquareRoot,     17,      -1},
    {Key::Percent,         "%",         Command{},                18,      -1},
    {Key::Ln,              "ln",        Function::Ln,             -1,      25},
    {Key::Log,             "log",       Function::Log,            -1,      26},
    {Key::Factorial,       "n!",        Function::Factorial,      -1,      27},
    {Key::Sin,             "sin",       Function::Sin,            -1,      29},
    {Key::Cos,             "cos",       Function::Cos,            -1,      30},
    {Key::Tan,             "tan",       Function::Tan,            -1,      31},
    {Key::Square,          "x^2",       Function::Square,         -1,      32},
    {Key::Cube,            "x^3",       Function::Cube,           -1,      33},
    {Key::Int,             "Int",       Function::Int,            -1,      34},
    {Key::Pi,              "pi",        Command{},                -1,      36},
    {Key::MemoryClear,     "MC",        Command{},                23,      21},
    {Key::MemoryRecall,    "MR",        Command{},                24,      22},
    {Key::MemoryStore,     "MS",        Command{},                25,      23},
    {Key::MemoryAdd,       "M+",        Command{},                26,      24},
}};
// clang-format on

constexpr const KeyRow& KeyRowOf(Key key) { return kKeyRows[static_cast<std::size_t>(key)]; }
constexpr const KeyMeaning& MeaningOf(Key key) { return KeyRowOf(key).meaning; }

// Whether the keypad of `mode` has the key.
constexpr bool OnKeypad(Mode mode, Key key) {
    return (mode == Mode::Standard ? KeyRowOf(key).standard : KeyRowOf(key).scientific) >= 0;
}

// The key of a digit 0..9, and the digit a digit key types (or nothing).
constexpr Key DigitKey(int digit) { return static_cast<Key>(static_cast<int>(Key::Digit0) + digit); }
constexpr std::optional<int> DigitOf(Key key) {
    if (const auto* d = std::get_if<Digit>(&MeaningOf(key))) return d->value;
    return std::nullopt;
}
// The operator of a binary operator key, and the function of a function key, or nothing.
constexpr std::optional<BinaryOp> BinaryOpOf(Key key) {
    if (const auto* op = std::get_if<BinaryOp>(&MeaningOf(key))) return *op;
    return std::nullopt;
}
constexpr std::optional<Function> FunctionOf(Key key) {
    if (const auto* f = std::get_if<Function>(&MeaningOf(key))) return *f;
    return std::nullopt;
}

}  // namespace calc
