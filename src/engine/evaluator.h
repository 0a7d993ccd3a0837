#pragma once
// Operator-precedence evaluation of the scientific window's token lists.
#include <cstddef>

#include "engine/token_list.h"
#include "engine/value.h"

namespace calc {

// Whether the tokens of `list` may be folded into one value before the operator token
// `next` is appended: true when `next` does not bind tighter than any operator among them.
bool FoldsBefore(const TokenList& list, const Value& next);
// The same question for the items at positions from..to of `list`, without a copy.
bool GroupFoldsBefore(const TokenList& list, std::size_t from, std::size_t to, const Value& next);

// The value of a parenthesis-free token list with precedence (power above "*" "/" "%"
// above "+" "-", all left-associative). With `inverse` set (the Inv box) the first
// power applied becomes a root and clears it.
double Evaluate(const TokenList& list, bool& inverse);
// The same for the items at positions from..to of `list`, without a copy.
double EvaluateRange(const TokenList& list, std::size_t from, std::size_t to, bool& inverse);

}  // namespace calc
