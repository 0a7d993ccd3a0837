#include "engine/token_list.h"

#include "engine/errors.h"

namespace calc {

const OperatorRow* BinaryRowOfToken(const Value& v) {
    if (!v.IsText() || v.AsText().size() != 1) return nullptr;
    const OperatorRow* row = OperatorRowOf(v.AsText()[0]);
    return row != nullptr && std::holds_alternative<BinaryOp>(row->meaning) ? row : nullptr;
}

std::optional<BinaryOp> BinaryOpOfToken(const Value& v) {
    const OperatorRow* row = BinaryRowOfToken(v);
    if (row == nullptr) return std::nullopt;
    return std::get<BinaryOp>(row->meaning);
}

int OperatorLevel(const Value& v) {
    const OperatorRow* row = BinaryRowOfToken(v);
    return row != nullptr ? row->level : 0;
}

bool IsOperatorToken(const Value& v) { return OperatorLevel(v) != 0; }

const Value& TokenList::Item(std::size_t i) const {
    if (i < 1 || i > items_.size()) Raise(ErrorKind::InvalidPosition);
    return items_[i - 1];
}

bool TokenList::IsNumberAt(std::size_t i) const {
    if (i < 1 || i > items_.size()) Raise(ErrorKind::InvalidPosition);
    return meta_[i - 1].number;
}

std::size_t TokenList::LastParen() const { return meta_.empty() ? 0 : meta_.back().lastParen; }

std::size_t TokenList::FirstAdjacentNumbers() const { return meta_.empty() ? 0 : meta_.back().firstPair; }

std::size_t TokenList::ParenCount() const { return meta_.empty() ? 0 : meta_.back().parens; }

void TokenList::PushMeta(const Value& v) {
    const auto pos = static_cast<std::uint32_t>(meta_.size() + 1);
    // Built in place: the facts carry over from the previous position.
    Meta& m = meta_.emplace_back(meta_.empty() ? Meta{} : meta_.back());
    const bool previousNumber = m.number;
    const int level = OperatorLevel(v);
    const bool paren = level == 0 && v.Is("(");
    m.number = level == 0 && !paren && IsNumeric(v);
    if (level != 0) ++m.ops[level - 1];
    if (paren) {
        m.lastParen = pos;
        ++m.parens;
        m.firstPair = 0;  // a new group starts
    } else if (m.firstPair == 0 && m.number && previousNumber) {
        m.firstPair = pos;
    }
}

void TokenList::Add(Value v) {
    items_.push_back(std::move(v));
    PushMeta(items_.back());
}

void TokenList::Remove(std::size_t i) {
    if (i < 1 || i > items_.size()) Raise(ErrorKind::InvalidPosition);
    if (i == items_.size()) {
        items_.pop_back();
        meta_.pop_back();
        return;
    }
    // Removal inside the list: rebuild what follows the removed item.
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i - 1));
    meta_.resize(i - 1);
    for (std::size_t k = i - 1; k < items_.size(); ++k) PushMeta(items_[k]);
}

void TokenList::Clear() {
    // Fresh vectors: the room of a huge list (a long paste) goes back to the heap.
    items_ = std::vector<Value>();
    meta_ = std::vector<Meta>();
}

std::size_t TokenList::OperatorsIn(std::size_t from, std::size_t to, int level) const {
    if (from < 1) from = 1;
    if (to > items_.size()) to = items_.size();
    if (from > to || level < 1 || level > 3) return 0;
    std::size_t before = from >= 2 ? meta_[from - 2].ops[level - 1] : 0;
    return meta_[to - 1].ops[level - 1] - before;
}

TokenList TokenList::Slice(std::size_t from, std::size_t to) const {
    TokenList out;
    if (from < 1) from = 1;
    for (std::size_t i = from; i <= to && i <= items_.size(); ++i) out.Add(items_[i - 1]);
    return out;
}

void AppendOperator(TokenList& list, BinaryOp op) {
    if (list.Empty() || list.Last().Is("(")) list.Add(Value(std::int16_t{0}));
    if (IsOperatorToken(list.Last())) list.RemoveLast();
    list.Add(Value(OperatorToken(op)));
}

void KeepLastOfAdjacentNumbers(TokenList& list) {
    // Up to the first pair of adjacent numbers the walk would copy the open group
    // unchanged, so it starts at that pair; without a pair nothing changes.
    const std::size_t pair = list.FirstAdjacentNumbers();
    if (pair == 0) return;
    const std::size_t start = pair - 1;
    TokenList kept;
    bool previousNotNumber = true;
    for (std::size_t i = start; i <= list.Count(); ++i) {
        const bool number = list.IsNumberAt(i);
        if (!number) {
            previousNotNumber = true;
        } else if (previousNotNumber) {
            previousNotNumber = false;
        } else {
            kept.RemoveLast();
        }
        kept.Add(list.Item(i));
    }
    ReplaceFrom(list, start, kept);
}

void ReplaceFrom(TokenList& list, std::size_t start, const TokenList& tail) {
    const std::size_t n = list.Count();
    if (start < 1) Raise(ErrorKind::InvalidPosition);
    for (std::size_t k = start; k <= n; ++k) list.RemoveLast();
    for (const Value& v : tail) list.Add(v);
}

}  // namespace calc
