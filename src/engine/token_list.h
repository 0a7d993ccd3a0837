#pragma once
// A 1-based ordered list of Values: the expression list of the scientific window and
// the temporary lists of the key handlers.
//
// Besides the items the list keeps, per position, what the key handlers would
// otherwise find by walking the open group (the tokens after the last "("): where
// the last "(" stands, how many operators of each precedence class lie before a
// position, and where the open group's first run of adjacent numbers starts. The
// items change almost only at the end, so keeping this up to date costs O(1) per
// append or removal of the last item, and every question about the open group is
// answered without a walk, however long the expression.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/operators.h"
#include "engine/value.h"

namespace calc {

// The row of the binary operator a token stands for, or null.
const OperatorRow* BinaryRowOfToken(const Value& v);
// Precedence class of a token: the level of the binary operator it stands for, 0 for
// any other token.
int OperatorLevel(const Value& v);
// The binary operator a token stands for, or nothing.
std::optional<BinaryOp> BinaryOpOfToken(const Value& v);
bool IsOperatorToken(const Value& v);

class TokenList {
public:
    TokenList() = default;

    std::size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }

    // Item at 1-based position i; raises the invalid-position error out of range.
    const Value& Item(std::size_t i) const;
    const Value& Last() const { return Item(Count()); }

    void Add(Value v);
    // Removes the item at 1-based position i; raises the invalid-position error out of range.
    void Remove(std::size_t i);
    void RemoveLast() { Remove(Count()); }
    void Clear();

    // Numeric test of the item at position i, cached when the item was added.
    bool IsNumberAt(std::size_t i) const;

    // 1-based position of the last "(" (0 when there is none).
    std::size_t LastParen() const;

    // How many operator tokens of precedence class `level` stand at positions from..to.
    std::size_t OperatorsIn(std::size_t from, std::size_t to, int level) const;

    // Position of the second item of the first pair of adjacent numbers after the last
    // "(" (0 when the open group has none).
    std::size_t FirstAdjacentNumbers() const;

    std::size_t ParenCount() const;

    const std::vector<Value>& Items() const { return items_; }
    std::vector<Value>::const_iterator begin() const { return items_.begin(); }
    std::vector<Value>::const_iterator end() const { return items_.end(); }

    // A new list holding the items at positions from..to (empty when from > to).
    TokenList Slice(std::size_t from, std::size_t to) const;

private:
    // Positions fit 32 bits: a list never holds more tokens than a pasted text has
    // characters, and a text is held in memory whole.
    struct Meta {
        std::uint32_t lastParen = 0;       // last "(" at or before this position
        std::uint32_t parens = 0;          // "(" tokens at or before this position
        std::uint32_t firstPair = 0;       // first adjacent-number pair of this position's group
        std::uint32_t ops[3] = {0, 0, 0};  // operators of each class at or before this position
        bool number = false;
    };
    void PushMeta(const Value& v);

    std::vector<Value> items_;
    std::vector<Meta> meta_;  // one per item
};

// The routines that reshape the scientific expression list.

// Records a binary operator: a zero operand (the 16-bit integer 0) goes first when the
// list is empty or ends with "(", and a trailing operator is replaced.
void AppendOperator(TokenList& list, BinaryOp op);

// Of each run of adjacent numbers after the last "(", keeps only the last.
void KeepLastOfAdjacentNumbers(TokenList& list);

// Replaces everything from position `start` onwards by the items of `tail`.
void ReplaceFrom(TokenList& list, std::size_t start, const TokenList& tail);

}  // namespace calc
