#include "keypad/keypad_table.h"

#include <array>

namespace calc {

namespace {

constexpr std::array<KeyEntry, 27> kStandard{{
    {0, Key::Digit0, "0"},
    {1, Key::Digit1, "1"},
    {2, Key::Digit2, "2"},
    {3, Key::Digit3, "3"},
    {4, Key::Digit4, "4"},
    {5, Key::Digit5, "5"},
    {6, Key::Digit6, "6"},
    {7, Key::Digit7, "7"},
    {8, Key::Digit8, "8"},
    {9, Key::Digit9, "9"},
    {10, Key::Point, "."},
    {11, Key::Add, "+"},
    {12, Key::Subtract, "-"},
    {13, Key::Multiply, "*"},
    {14, Key::Divide, "/"},
    {15, Key::Equals, "="},
    {16, Key::Sign, "+/-"},
    {17, Key::SquareRoot, "Sqrt"},
    {18, Key::Percent, "%"},
    {19, Key::Reciprocal, "1/x"},
    {20, Key::Clear, "C"},
    {21, Key::ClearEntry, "CE"},
    {22, Key::BackSpace, "BackSpace"},
    {23, Key::MemoryClear, "MC"},
    {24, Key::MemoryRecall, "MR"},
    {25, Key::MemoryStore, "MS"},
    {26, Key::MemoryAdd, "M+"},
}};

constexpr std::array<KeyEntry, 39> kScientific{{
    {0, Key::Digit0, "0"},        {1, Key::Digit1, "1"},         {2, Key::Digit2, "2"},
    {3, Key::Digit3, "3"},        {4, Key::Digit4, "4"},         {5, Key::Digit5, "5"},
    {6, Key::Digit6, "6"},        {7, Key::Digit7, "7"},         {8, Key::Digit8, "8"},
    {9, Key::Digit9, "9"},        {10, Key::Point, "."},         {11, Key::Add, "+"},
    {12, Key::Subtract, "-"},     {13, Key::Multiply, "*"},      {14, Key::Divide, "/"},
    {15, Key::Sign, "+/-"},       {16, Key::OpenParen, "("},     {17, Key::CloseParen, ")"},
    {18, Key::Power, "x^y"},      {19, Key::Equals, "="},        {20, Key::Clear, "C"},
    {21, Key::MemoryClear, "MC"}, {22, Key::MemoryRecall, "MR"}, {23, Key::MemoryStore, "MS"},
    {24, Key::MemoryAdd, "M+"},   {25, Key::Ln, "ln"},           {26, Key::Log, "log"},
    {27, Key::Factorial, "n!"},   {28, Key::Reciprocal, "1/x"},  {29, Key::Sin, "sin"},
    {30, Key::Cos, "cos"},        {31, Key::Tan, "tan"},         {32, Key::Square, "x^2"},
    {33, Key::Cube, "x^3"},       {34, Key::Int, "Int"},         {35, Key::Modulo, "Mod"},
    {36, Key::Pi, "pi"},          {37, Key::ClearEntry, "CE"},   {38, Key::BackSpace, "BackSpace"},
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

const char* CaptionOf(Mode mode, Key key) {
    for (const KeyEntry& k : KeyTable(mode)) {
        if (k.key == key) return k.caption;
    }
    return "";
}

}  // namespace calc
