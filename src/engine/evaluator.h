#pragma once
// Operator-precedence evaluation of the scientific window's token lists.
#include <cstddef>
#include <cstdint>

#include "engine/token_list.h"
#include "engine/value.h"

namespace calc {

// Whether the tokens of `col` may be folded into one value before the operator `cmp`
// is appended: true when `cmp` does not bind tighter than any operator among them.
bool Judge(const TokenList& col, const Value& cmp);
// The same question for the items at positions from..to of `list`, without a copy.
bool JudgeRange(const TokenList& list, std::size_t from, std::size_t to, const Value& cmp);

// The value of a parenthesis-free token list with precedence (power above "*" "/" "%"
// above "+" "-", all left-associative). `check1` is the "Inv" box (1 ticked, 0 clear):
// with it ticked the first power applied becomes a root and clears the box.
double Calculate(const TokenList& col1, std::int16_t& check1);
// The same for the items at positions from..to of `list`, without a copy.
double CalculateRange(const TokenList& list, std::size_t from, std::size_t to, std::int16_t& check1);

// The power function with the calculator's errors: invalid argument for a negative
// base with a non-integer exponent, division by zero for a zero base with a negative
// exponent, overflow for a result beyond the double range.
double Power(double a, double b);

// Rounds to the nearest 32-bit integer, halves to even; overflow outside the range.
std::int32_t RoundToInt32(double v);

}  // namespace calc
