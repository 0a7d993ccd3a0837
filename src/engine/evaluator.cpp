#include "engine/evaluator.h"

#include <array>
#include <vector>

#include "engine/errors.h"

namespace calc {

namespace {

// Whether `next` folds the pending tokens, from the operators present among them.
bool FoldsGiven(std::size_t addSub, std::size_t mulDiv, const Value& next) {
    switch (OperatorLevel(next)) {
        case 1: return true;
        case 2: return addSub == 0;
        case 3: return addSub == 0 && mulDiv == 0;
        default: return false;
    }
}

// At most this many operands wait at once; one more is an overflow error.
constexpr std::size_t kMaxPending = 32767;

// An operand: an item of the list, or a computed result (0 for a missing operand).
struct Operand {
    const Value* item = nullptr;
    double result = 0;
};

// An operand as its leading number: a computed result passes through its display form,
// so intermediate results enter the next operation with 15 digits.
double Leading(const Operand& v) { return v.item ? LeadingNumber(*v.item) : RoundToDisplayDigits(v.result); }

// An operand as a double, written with 15 significant digits and read back.
double Rounded(const Operand& v) { return RoundToDisplayDigits(v.item ? ToDouble(*v.item) : v.result); }

// left op right, with the calculator's errors: each operand enters as its row says, the
// left one first.
double Apply(const OperatorRow& row, const Operand& left, const Operand& right, bool& inverse) {
    double a = Leading(left);
    if (row.integers) a = RoundToInt32(a);
    double b = row.right == OperandForm::Rounded ? Rounded(right) : Leading(right);
    if (row.integers) b = RoundToInt32(b);
    if (!inverse || row.computeInverse == nullptr) return row.compute(a, b);
    const double r = row.computeInverse(a, b);
    inverse = false;
    return r;
}

void PushPending(std::vector<Operand>& values, Operand v) {
    if (values.size() == kMaxPending) Raise(ErrorKind::Overflow);
    values.push_back(v);
}

// The top operand, taken off; a missing operand is 0.
Operand TakeTop(std::vector<Operand>& values) {
    if (values.empty()) return {};
    const Operand top = values.back();
    values.pop_back();
    return top;
}

}  // namespace

bool FoldsBefore(const TokenList& list, const Value& next) { return GroupFoldsBefore(list, 1, list.Count(), next); }

bool GroupFoldsBefore(const TokenList& list, std::size_t from, std::size_t to, const Value& next) {
    return FoldsGiven(list.OperatorsIn(from, to, 1), list.OperatorsIn(from, to, 2), next);
}

double Evaluate(const TokenList& list, bool& inverse) { return EvaluateRange(list, 1, list.Count(), inverse); }

double EvaluateRange(const TokenList& list, std::size_t from, std::size_t to, bool& inverse) {
    // Phase 1: infix to postfix. Every postfix entry is an item of the list, so the
    // postfix order is kept as positions rather than copies; so is the operator stack.
    // An operator goes on the stack only after every one of its level or above left it,
    // so the levels on the stack rise: it holds one operator of each level at most.
    std::array<std::size_t, 3> operators{};
    std::size_t waiting = 0;
    std::vector<std::size_t> postfix;
    if (to >= from) postfix.reserve(to - from + 1);
    auto topLevel = [&] { return OperatorLevel(list.Item(operators[waiting - 1])); };
    for (std::size_t i = from; i <= to; ++i) {
        if (list.IsNumberAt(i)) {
            postfix.push_back(i);
            continue;
        }
        const int level = OperatorLevel(list.Item(i));
        if (level == 0) continue;  // "(" and anything else is skipped
        // Out go the waiting operators that bind at least as tightly: all operators are
        // left-associative.
        while (waiting > 0 && topLevel() >= level) postfix.push_back(operators[--waiting]);
        operators.at(waiting++) = i;
    }
    while (waiting > 0) postfix.push_back(operators[--waiting]);

    // Phase 2: computing.
    std::vector<Operand> values;
    values.reserve(postfix.size());
    for (std::size_t position : postfix) {
        const Value& item = list.Item(position);
        if (list.IsNumberAt(position)) {
            PushPending(values, Operand{&item});
            continue;
        }
        const Operand right = TakeTop(values);
        const Operand left = TakeTop(values);
        PushPending(values, Operand{nullptr, Apply(*BinaryRowOfToken(item), left, right, inverse)});
    }
    const Operand top = TakeTop(values);
    return top.item ? ToDouble(*top.item) : top.result;
}

}  // namespace calc
