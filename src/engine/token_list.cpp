#include "engine/token_list.h"

#include "engine/errors.h"

namespace calc {

int OperatorLevel(const Value& v) {
    if (!v.IsText() || v.AsText().size() != 1) return 0;
    switch (v.AsText()[0]) {
        case '+':
        case '-': return 1;
        case '*':
        case '/':
        case '%': return 2;
        case 'y':
        case 'Y': return 3;
        default: return 0;
    }
}

bool IsOperatorToken(const Value& v) { return OperatorLevel(v) != 0; }

const Value& TokenList::Item(std::size_t i) const {
    if (i < 1 || i > items_.size()) Raise(ErrorKind::InvalidPosition);
    return items_[i - 1];
}

bool TokenList::IsNumberAt(std::size_t i) const {
    if (i < 1 || i > items_.size()) Raise(ErrorKind::InvalidPosition);
    return tracked_ ? meta_[i - 1].number : IsNumeric(items_[i - 1]);
}

std::size_t TokenList::LastParen() const {
    if (tracked_) return items_.empty() ? 0 : meta_.back().lastParen;
    for (std::size_t i = items_.size(); i > 0; --i) {
        if (items_[i - 1].Is("(")) return i;
    }
    return 0;
}

std::size_t TokenList::FirstAdjacentNumbers() const {
    if (tracked_) return items_.empty() ? 0 : meta_.back().firstPair;
    for (std::size_t i = LastParen() + 2; i <= items_.size(); ++i) {
        if (IsNumeric(items_[i - 2]) && IsNumeric(items_[i - 1])) return i;
    }
    return 0;
}

std::size_t TokenList::ParenCount() const {
    if (tracked_) return items_.empty() ? 0 : meta_.back().parens;
    std::size_t n = 0;
    for (const Value& v : items_) n += v.Is("(") ? 1 : 0;
    return n;
}

void TokenList::PushMeta(const Value& v) {
    if (!tracked_) return;
    Meta m;
    const auto pos = static_cast<std::uint32_t>(meta_.size() + 1);
    const Meta* prev = meta_.empty() ? nullptr : &meta_.back();
    m.number = IsNumeric(v);
    const bool paren = v.Is("(");
    m.lastParen = paren ? pos : (prev ? prev->lastParen : 0);
    m.parens = (prev ? prev->parens : 0) + (paren ? 1 : 0);
    for (int k = 0; k < 3; ++k) m.ops[k] = prev ? prev->ops[k] : 0;
    if (int level = OperatorLevel(v)) ++m.ops[level - 1];
    if (paren || !prev) {
        m.firstPair = 0;
    } else {
        m.firstPair = prev->firstPair;
        if (m.firstPair == 0 && m.number && prev->number) m.firstPair = pos;
    }
    meta_.push_back(m);
}

void TokenList::Reserve(std::size_t n) {
    items_.reserve(n);
    if (tracked_) meta_.reserve(n);
}

void TokenList::Add(Value v) {
    items_.push_back(std::move(v));
    PushMeta(items_.back());
}

void TokenList::Remove(std::size_t i) {
    if (i < 1 || i > items_.size()) Raise(ErrorKind::InvalidPosition);
    if (i == items_.size()) {
        items_.pop_back();
        if (tracked_) meta_.pop_back();
        return;
    }
    // Removal inside the list: rebuild what follows the removed item.
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i - 1));
    if (!tracked_) return;
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
    if (!tracked_) {
        std::size_t n = 0;
        for (std::size_t i = from; i <= to; ++i) n += OperatorLevel(items_[i - 1]) == level ? 1 : 0;
        return n;
    }
    std::size_t before = from >= 2 ? meta_[from - 2].ops[level - 1] : 0;
    return meta_[to - 1].ops[level - 1] - before;
}

TokenList TokenList::Slice(std::size_t from, std::size_t to) const {
    TokenList out(tracked_ ? Tracking::Full : Tracking::None);
    if (from < 1) from = 1;
    for (std::size_t i = from; i <= to && i <= items_.size(); ++i) out.Add(items_[i - 1]);
    return out;
}

std::string_view OperatorToken(BinaryOp op) {
    switch (op) {
        case BinaryOp::Add: return "+";
        case BinaryOp::Subtract: return "-";
        case BinaryOp::Multiply: return "*";
        case BinaryOp::Divide: return "/";
        case BinaryOp::Power: return "y";
        case BinaryOp::Modulo: return "%";
    }
    return "";
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
