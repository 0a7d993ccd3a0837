#pragma once
// The one table of the operators and functions. A row is one binary operator, function
// key, parenthesis or "=": the characters that press it in a pasted text, its token in
// an expression list, how tightly it binds and the function that computes it. The
// evaluator, both keypads (through the key table, keypad/key.h), the paste filter and
// its replay read it; nothing else spells an operator.
//
// A new operator or function is an enumerator below and its row (its mathematics, when
// new, beside the others in functions.cpp); the key table and the window layout give it
// a key.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "engine/factorial.h"
#include "engine/functions.h"
#include "engine/value.h"

namespace calc {

enum class BinaryOp { Add, Subtract, Multiply, Divide, Power, Modulo };

// The one-operand functions: the scientific keypad's function keys, 1/x on both keypads
// and the standard keypad's square root.
enum class Function { Ln, Log, Factorial, Reciprocal, Sin, Cos, Tan, Square, Cube, Int, SquareRoot };

// The keys a pasted character presses besides the operators and the functions.
enum class Mark { OpenParen, CloseParen, Equals };

// How the right operand of a binary operator enters it: as the number its text begins
// with, or rounded to the 15 significant digits of the display. The left operand enters
// as the number its text begins with.
enum class OperandForm { Leading, Rounded };

// The one-shot modifiers a function key reads, cleared after a successful use.
enum class Modifiers { None, Inverse, InverseAndHyperbolic };

struct OperatorRow {
    // The characters that stand for it in a pasted text; the first is also its token in
    // an expression list. None for a key that no character presses.
    std::string_view chars;
    std::variant<BinaryOp, Function, Mark> meaning;

    // A binary operator: how tightly it binds (1 "+" "-", 2 "*" "/" Mod, 3 the power; 0
    // for the other rows), how its right operand enters, whether both operands are
    // rounded to 32-bit integers as they enter (left first), what computes it, and with
    // Inv set what computes it instead (the Inv box is cleared then).
    int level = 0;
    OperandForm right = OperandForm::Leading;
    bool integers = false;
    double (*compute)(double left, double right) = nullptr;
    double (*computeInverse)(double left, double right) = nullptr;

    // A function key: what computes it, or its exact digits (the factorial), and the
    // modifiers it uses.
    double (*function)(double x, bool inv, bool hyp) = nullptr;
    std::string (*exact)(double x) = nullptr;
    Modifiers uses = Modifiers::None;
};

namespace detail {

constexpr OperatorRow Binary(std::string_view chars, BinaryOp op, int level, OperandForm right,
                             double (*compute)(double, double), double (*computeInverse)(double, double) = nullptr) {
    return {chars, op, level, right, false, compute, computeInverse};
}

constexpr OperatorRow IntegerBinary(std::string_view chars, BinaryOp op, int level, double (*compute)(double, double)) {
    return {chars, op, level, OperandForm::Rounded, true, compute};
}

constexpr OperatorRow Unary(std::string_view chars, Function f, Modifiers uses,
                            double (*function)(double, bool, bool)) {
    OperatorRow row{chars, f};
    row.function = function;
    row.uses = uses;
    return row;
}

constexpr OperatorRow Exact(std::string_view chars, Function f, std::string (*exact)(double)) {
    OperatorRow row{chars, f};
    row.exact = exact;
    return row;
}

}  // namespace detail

// clang-format off
inline constexpr std::array kOperatorRows{
    detail::Binary("+", BinaryOp::Add, 1, OperandForm::Leading, CheckedAdd),
    detail::Binary("-", BinaryOp::Subtract, 1, OperandForm::Rounded, CheckedSub),
    detail::Binary("*", BinaryOp::Multiply, 2, OperandForm::Leading, CheckedMul),
    detail::Binary("/", BinaryOp::Divide, 2, OperandForm::Rounded, CheckedDiv),
    detail::IntegerBinary("%", BinaryOp::Modulo, 2, CheckedRemainder),
    detail::Binary("yY", BinaryOp::Power, 3, OperandForm::Rounded, CheckedPow, CheckedRoot),
    OperatorRow{"(", Mark::OpenParen},
    OperatorRow{")", Mark::CloseParen},
    OperatorRow{"=", Mark::Equals},
    detail::Exact("!", Function::Factorial, FactorialOf),
    detail::Unary("nN", Function::Ln, Modifiers::Inverse, NaturalLog),
    detail::Unary("lL", Function::Log, Modifiers::Inverse, CommonLog),
    detail::Unary("rR", Function::Reciprocal, Modifiers::None, Reciprocal),
    detail::Unary("sS", Function::Sin, Modifiers::InverseAndHyperbolic, Sine),
    detail::Unary("oO", Function::Cos, Modifiers::InverseAndHyperbolic, Cosine),
    detail::Unary("tT", Function::Tan, Modifiers::InverseAndHyperbolic, Tangent),
    detail::Unary("@", Function::Square, Modifiers::Inverse, SquareOf),
    detail::Unary("#", Function::Cube, Modifiers::Inverse, CubeOf),
    detail::Unary(";", Function::Int, Modifiers::Inverse, IntegerPart),
    detail::Unary("", Function::SquareRoot, Modifiers::None, SquareRoot),
};
// clang-format on

namespace detail {

// The row of each ASCII character, -1 for a character of no row.
constexpr std::array<std::int8_t, 128> RowsOfChars() {
    std::array<std::int8_t, 128> rows{};
    rows.fill(-1);
    for (std::size_t r = 0; r < kOperatorRows.size(); ++r) {
        for (char c : kOperatorRows[r].chars) rows[static_cast<unsigned char>(c)] = static_cast<std::int8_t>(r);
    }
    return rows;
}

inline constexpr std::array<std::int8_t, 128> kRowOfChar = RowsOfChars();

}  // namespace detail

// The row a character stands for, or null.
constexpr const OperatorRow* OperatorRowOf(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= detail::kRowOfChar.size() || detail::kRowOfChar[u] < 0) return nullptr;
    return &kOperatorRows[static_cast<std::size_t>(detail::kRowOfChar[u])];
}

// The row of an operator or function; every one has its row.
template <typename Meaning>
constexpr const OperatorRow& RowOf(Meaning meaning) {
    for (const OperatorRow& row : kOperatorRows) {
        if (const auto* m = std::get_if<Meaning>(&row.meaning); m != nullptr && *m == meaning) return row;
    }
    std::abort();
}

// The token of `op` in an expression list: "+", "-", "*", "/", "y" (power), "%" (modulo).
constexpr std::string_view OperatorToken(BinaryOp op) { return RowOf(op).chars.substr(0, 1); }

// The value of function `f` for operand x with the Inv and Hyp modifiers as given.
inline Value FunctionValue(Function f, double x, bool inv, bool hyp) {
    const OperatorRow& row = RowOf(f);
    if (row.exact != nullptr) return Value(row.exact(x));
    return Value(row.function(x, inv, hyp));
}

}  // namespace calc
