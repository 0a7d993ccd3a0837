#include "engine/evaluator.h"

#include <array>
#include <cmath>
#include <limits>
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

// left op right, with the calculator's errors: the right operand of "-", "/", the power
// and Mod enters rounded, every other operand as its leading number.
double Apply(BinaryOp op, const Operand& left, const Operand& right, bool& inverse) {
    switch (op) {
        case BinaryOp::Add: return CheckedAdd(Leading(left), Leading(right));
        case BinaryOp::Subtract: return CheckedSub(Leading(left), Rounded(right));
        case BinaryOp::Multiply: return CheckedMul(Leading(left), Leading(right));
        case BinaryOp::Divide: return CheckedDiv(Leading(left), Rounded(right));
        case BinaryOp::Power: {
            const double base = Leading(left);
            const double exponent = Rounded(right);
            if (!inverse) return Power(base, exponent);
            const double root = Power(base, CheckedDiv(1.0, exponent));
            inverse = false;
            return root;
        }
        case BinaryOp::Modulo: {
            const std::int32_t a = RoundToInt32(Leading(left));
            const std::int32_t b = RoundToInt32(Rounded(right));
            if (b == 0) Raise(ErrorKind::DivisionByZero);
            if (a == std::numeric_limits<std::int32_t>::min() && b == -1) Raise(ErrorKind::Overflow);
            return a % b;
        }
    }
    return 0;
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

std::int32_t RoundToInt32(double v) {
    double r = std::nearbyint(v);  // default rounding mode: halves to even
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) Raise(ErrorKind::Overflow);
    return static_cast<std::int32_t>(r);
}

double Power(double a, double b) {
    if (a < 0 && b != std::floor(b)) Raise(ErrorKind::InvalidArgument);
    if (a == 0 && b < 0) Raise(ErrorKind::DivisionByZero);
    double r = std::pow(a, b);
    if (std::isnan(r)) Raise(ErrorKind::InvalidArgument);
    return CheckFinite(r);
}

double Evaluate(const TokenList& list, bool& inverse) { return EvaluateRange(list, 1, list.Count(), inverse); }

double EvaluateRange(const TokenList& list, std::size_t from, std::size_t to, bool& inverse) {
    // Phase 1: infix to postfix. Every postfix entry is an item of the list, so the
    // postfix order is kept as positions rather than copies; so is the operator stack.
    // An operator goes on the stack only after every one of its level or above left it,
    // so the levels on the stack rise: it holds one operator of each level at most.
    std::array<std::size_t, 3> operators;
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
        PushPending(values, Operand{nullptr, Apply(*BinaryOpOfToken(item), left, right, inverse)});
    }
    const Operand top = TakeTop(values);
    return top.item ? ToDouble(*top.item) : top.result;
}

}  // namespace calc
