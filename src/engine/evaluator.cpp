#include "engine/evaluator.h"

#include <cmath>
#include <limits>

#include "engine/errors.h"
#include "engine/stack.h"

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

// L(v): the leading number of v's text form (a double passes through its display form,
// so computed intermediate results enter the next operation with 15 digits).
double L(const Value& v) { return LeadingNumber(v); }

// LD(v): v as a double, written with 15 significant digits and read back.
double LD(const Value& v) { return RoundToDisplayDigits(ToDouble(v)); }

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
    // postfix order is kept as positions rather than copies.
    Stack operators;
    std::vector<std::uint32_t> postfix;
    if (to >= from) postfix.reserve(to - from + 1);
    auto moveTop = [&] {
        postfix.push_back(static_cast<std::uint32_t>(operators.Top().AsInt32()));
        operators.Pop();
    };
    for (std::size_t i = from; i <= to; ++i) {
        if (list.IsNumberAt(i)) {
            postfix.push_back(static_cast<std::uint32_t>(i));
            continue;
        }
        const int level = OperatorLevel(list.Item(i));
        // The operator stack holds the positions of the operator tokens.
        auto topLevel = [&] { return OperatorLevel(list.Item(static_cast<std::size_t>(operators.Top().AsInt32()))); };
        switch (level) {
            case 1:
                while (!operators.Empty()) moveTop();
                break;
            case 2:
                while (!operators.Empty() && topLevel() >= 2) moveTop();
                break;
            case 3:
                while (!operators.Empty() && topLevel() == 3) moveTop();
                break;
            default: continue;  // "(" and anything else is skipped
        }
        operators.Push(Value(static_cast<std::int32_t>(i)));
    }
    while (!operators.Empty()) moveTop();

    // Phase 2: computing.
    Stack values;
    for (std::uint32_t position : postfix) {
        const Value& item = list.Item(position);
        if (list.IsNumberAt(position)) {
            values.Push(item);
            continue;
        }
        const Value x = values.TakeTop();
        const Value w = values.TakeTop();
        switch (item.AsText()[0]) {
            case '+': values.Push(Value(CheckedAdd(L(w), L(x)))); break;
            case '-': values.Push(Value(CheckedSub(L(w), LD(x)))); break;
            case '*': values.Push(Value(CheckedMul(L(w), L(x)))); break;
            case '/': values.Push(Value(CheckedDiv(L(w), LD(x)))); break;
            case 'y':
            case 'Y': {
                const double a = L(w);
                const double b = LD(x);
                if (inverse) {
                    values.Push(Value(Power(a, CheckedDiv(1.0, b))));
                    inverse = false;
                } else {
                    values.Push(Value(Power(a, b)));
                }
                break;
            }
            case '%': {
                const std::int32_t ra = RoundToInt32(L(w));
                const std::int32_t rb = RoundToInt32(LD(x));
                if (rb == 0) Raise(ErrorKind::DivisionByZero);
                if (ra == std::numeric_limits<std::int32_t>::min() && rb == -1) Raise(ErrorKind::Overflow);
                values.Push(Value(static_cast<std::int32_t>(ra % rb)));
                break;
            }
        }
    }
    return ToDouble(values.TakeTop());
}

}  // namespace calc
