#pragma once
// The one table of the operators and key characters: what each character of a pasted
// text presses, which characters stand for the binary operators in an expression list,
// and how tightly each operator binds. The token list, the evaluator, the paste filter
// and its replay read it; nothing else spells these characters.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "engine/functions.h"

namespace calc {

enum class BinaryOp { Add, Subtract, Multiply, Divide, Power, Modulo };

// The keys a pasted character presses besides the operators and the functions.
enum class Mark { OpenParen, CloseParen, Equals };

struct OperatorRow {
    // The characters that stand for it in a pasted text; the first is also its token in
    // an expression list.
    std::string_view chars;
    std::variant<BinaryOp, Function, Mark> meaning;
    // How tightly a binary operator binds: 1 "+" "-", 2 "*" "/" "%", 3 power; 0 for the rest.
    int level = 0;
};

inline constexpr OperatorRow kOperatorRows[] = {
    {"+", BinaryOp::Add, 1},      {"-", BinaryOp::Subtract, 1}, {"*", BinaryOp::Multiply, 2},
    {"/", BinaryOp::Divide, 2},   {"%", BinaryOp::Modulo, 2},   {"yY", BinaryOp::Power, 3},
    {"(", Mark::OpenParen},       {")", Mark::CloseParen},      {"=", Mark::Equals},
    {"!", Function::Factorial},   {"nN", Function::Ln},         {"lL", Function::Log},
    {"rR", Function::Reciprocal}, {"sS", Function::Sin},        {"oO", Function::Cos},
    {"tT", Function::Tan},        {"@", Function::Square},      {"#", Function::Cube},
    {";", Function::Int},
};

namespace detail {
// The row of each ASCII character, -1 for a character of no row.
inline constexpr auto kRowOfChar = [] {
    std::array<std::int8_t, 128> rows{};
    rows.fill(-1);
    for (std::size_t r = 0; r < std::size(kOperatorRows); ++r) {
        for (char c : kOperatorRows[r].chars) rows[static_cast<unsigned char>(c)] = static_cast<std::int8_t>(r);
    }
    return rows;
}();
}  // namespace detail

// The row a character stands for, or null.
constexpr const OperatorRow* OperatorRowOf(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= detail::kRowOfChar.size() || detail::kRowOfChar[u] < 0) return nullptr;
    return &kOperatorRows[detail::kRowOfChar[u]];
}

// The binary operator a character stands for, or nothing.
constexpr std::optional<BinaryOp> BinaryOpOfChar(char c) {
    const OperatorRow* row = OperatorRowOf(c);
    if (row == nullptr || !std::holds_alternative<BinaryOp>(row->meaning)) return std::nullopt;
    return std::get<BinaryOp>(row->meaning);
}

// The token of `op` in an expression list: "+", "-", "*", "/", "y" (power), "%" (modulo).
constexpr std::string_view OperatorToken(BinaryOp op) {
    for (const OperatorRow& row : kOperatorRows) {
        if (row.meaning == decltype(row.meaning)(op)) return row.chars.substr(0, 1);
    }
    return "";
}

}  // namespace calc
