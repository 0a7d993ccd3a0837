#include "keypad/keypad_table.h"

#include <array>

namespace calc {

namespace {

// The comment on each entry is its index.
constexpr std::array<KeyEntry, 27> kStandard{{
    {Key::Digit0, "0"},             // 0
    {Key::Digit1, "1"},             // 1
    {Key::Digit2, "2"},             // 2
    {Key::Digit3, "3"},             // 3
    {Key::Digit4, "4"},             // 4
    {Key::Digit5, "5"},             // 5
    {Key::Digit6, "6"},             // 6
    {Key::Digit7, "7"},             // 7
    {Key::Digit8, "8"},             // 8
    {Key::Digit9, "9"},             // 9
    {Key::Point, "."},              // 10
    {Key::Add, "+"},                // 11
    {Key::Subtract, "-"},           // 12
    {Key::Multiply, "*"},           // 13
    {Key::Divide, "/"},             // 14
    {Key::Equals, "="},             // 15
    {Key::Sign, "+/-"},             // 16
    {Key::SquareRoot, "Sqrt"},      // 17
    {Key::Percent, "%"},            // 18
    {Key::Reciprocal, "1/x"},       // 19
    {Key::Clear, "C"},              // 20
    {Key::ClearEntry, "CE"},        // 21
    {Key::BackSpace, "BackSpace"},  // 22
    {Key::MemoryClear, "MC"},       // 23
    {Key::MemoryRecall, "MR"},      // 24
    {Key::MemoryStore, "MS"},       // 25
    {Key::MemoryAdd, "M+"},         // 26
}};

constexpr std::array<KeyEntry, 39> kScientific{{
    {Key::Digit0, "0"},       {Key::Digit1, "1"},        {Key::Digit2, "2"},
    {Key::Digit3, "3"},       {Key::Digit4, "4"},        {Key::Digit5, "5"},
    {Key::Digit6, "6"},       {Key::Digit7, "7"},        {Key::Digit8, "8"},
    {Key::Digit9, "9"},       {Key::Point, "."},         {Key::Add, "+"},
    {Key::Subtract, "-"},     {Key::Multiply, "*"},      {Key::Divide, "/"},
    {Key::Sign, "+/-"},       {Key::OpenParen, "("},     {Key::CloseParen, ")"},
    {Key::Power, "x^y"},      {Key::Equals, "="},        {Key::Clear, "C"},
    {Key::MemoryClear, "MC"}, {Key::MemoryRecall, "MR"}, {Key::MemoryStore, "MS"},
    {Key::MemoryAdd, "M+"},   {Key::Ln, "ln"},           {Key::Log, "log"},
    {Key::Factorial, "n!"},   {Key::Reciprocal, "1/x"},  {Key::Sin, "sin"},
    {Key::Cos, "cos"},        {Key::Tan, "tan"},         {Key::Square, "x^2"},
    {Key::Cube, "x^3"},       {Key::Int, "Int"},         {Key::Modulo, "Mod"},
    {Key::Pi, "pi"},          {Key::ClearEntry, "CE"},   {Key::BackSpace, "BackSpace"},
}};

}  // namespace

std::span<const KeyEntry> KeyTable(Mode mode) {
    if (mode == Mode::Standard) return kStandard;
    return kScientific;
}

std::optional<Key> KeyAt(Mode mode, int index) {
    const auto table = KeyTable(mode);
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return std::nullopt;
    return table[static_cast<std::size_t>(index)].key;
}

std::optional<Key> KeyWithCaption(Mode mode, std::string_view caption) {
    for (const KeyEntry& k : KeyTable(mode)) {
        if (caption == k.caption) return k.key;
    }
    return std::nullopt;
}

}  // namespace calc
