#include "keypad/scientific_keypad.h"

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/factorial.h"
#include "engine/value.h"

namespace calc {

namespace {

const char* const kNegativeFactorial = "运行错误：负数没有阶乘，请按复位键'C'";

std::string ParenText(std::int16_t depth) { return depth == 0 ? "" : "(=" + std::to_string(depth); }

}  // namespace

ScientificKeypad::ScientificKeypad(Platform& platform) : Keypad(platform) { Reload(); }

void ScientificKeypad::Reload() {
    Clear();
    HideMemoryIndicator();
}

void ScientificKeypad::Clear() {
    ResetEntry(false);
    expression_.Clear();
    parenDepth_ = 0;
    repeatOp_.clear();
    repeatOperand_ = 0;
    lastResult_ = 0;
    inverse_ = false;
    hyperbolic_ = false;
    parenIndicator_.clear();
}

void ScientificKeypad::Handle(Key key) {
    switch (key) {
        case Key::Digit0:
        case Key::Digit1:
        case Key::Digit2:
        case Key::Digit3:
        case Key::Digit4:
        case Key::Digit5:
        case Key::Digit6:
        case Key::Digit7:
        case Key::Digit8:
        case Key::Digit9: return TypeDigit(*DigitOf(key));
        case Key::Point: return TypePoint();
        case Key::Sign: return SignChange();
        case Key::BackSpace: return EraseLast();
        case Key::ClearEntry: return ClearEntry();
        case Key::Clear: return Clear();
        case Key::Equals: return Equals();
        case Key::Add:
        case Key::Subtract:
        case Key::Multiply:
        case Key::Divide:
        case Key::Power:
        case Key::Modulo: return BinaryOperator(*BinaryOpOf(key));
        case Key::OpenParen: return OpenParen();
        case Key::CloseParen: return CloseParen();
        case Key::Reciprocal:
        case Key::Ln:
        case Key::Log:
        case Key::Factorial:
        case Key::Sin:
        case Key::Cos:
        case Key::Tan:
        case Key::Square:
        case Key::Cube:
        case Key::Int: return ApplyFunction(*FunctionOf(key));
        case Key::Pi: return Pi();
        case Key::MemoryClear:
        case Key::MemoryRecall:
        case Key::MemoryStore:
        case Key::MemoryAdd: return MemoryKey(key);
        case Key::SquareRoot:
        case Key::Percent: return;  // standard keys
    }
}

void ScientificKeypad::RecordTypedNumber() {
    if (TypingNumber()) expression_.Add(Value(Display()));
}

// ---- number entry ----------------------------------------------------------------

void ScientificKeypad::SignChange() {
    if (TypingNumber()) {
        if (IsNumericText(Display())) SetDisplay(DisplayForm(-LeadingNumber(std::string_view(Display()))));
        return;
    }
    // The shown value is already recorded: the sign change is made in the list.
    TokenList& expr = expression_;
    if (!expr.Empty() && expr.IsNumberAt(expr.Count())) {
        const double v = LeadingNumber(expr.Last());
        expr.RemoveLast();
        expr.Add(Value(-v));
        SetDisplay(DisplayForm(-v));
    } else {
        expr.Add(Value(std::int16_t{0}));
        SetDisplay("0");
    }
}

// ---- operators and parentheses -------------------------------------------------

void ScientificKeypad::BinaryOperator(BinaryOp op) {
    TokenList& expr = expression_;
    RecordTypedNumber();
    AppendOperator(expr, op);
    KeepLastOfAdjacentNumbers(expr);
    const std::size_t p = expr.LastParen();
    const std::size_t n = expr.Count();
    // The waiting group p+1..n-1 is folded when the new operator does not bind tighter
    // than any operator in it; the question is answered without copying the group.
    if (n - p > 2 && GroupFoldsBefore(expr, p + 1, n - 1, expr.Last())) {
        SetDisplay(DisplayForm(EvaluateRange(expr, p + 1, n - 1, inverse_)));
        // The group after the last "(" becomes the partial result, as display text,
        // followed by the new operator.
        Value last = expr.Last();
        while (expr.Count() > p) expr.RemoveLast();
        expr.Add(Value(Display()));
        expr.Add(std::move(last));
    }
    EndEntry();
}

void ScientificKeypad::OpenParen() {
    TokenList& expr = expression_;
    RecordTypedNumber();
    if (!expr.Empty() && expr.IsNumberAt(expr.Count())) {
        // The last number becomes the first token inside the new group.
        Value last = expr.Last();
        expr.RemoveLast();
        expr.Add(Value("("));
        expr.Add(std::move(last));
    } else {
        expr.Add(Value("("));
    }
    SetDisplay("");
    EndEntry();
    if (parenDepth_ == kMaxParenDepth) Raise(ErrorKind::Overflow);
    ++parenDepth_;
    parenIndicator_ = ParenText(parenDepth_);
}

void ScientificKeypad::CloseParen() {
    TokenList& expr = expression_;
    if (parenDepth_ == 0) return Beep();
    RecordTypedNumber();
    const std::size_t p = expr.LastParen();
    const std::size_t n = expr.Count();
    if (n - p == 0) {
        expr.RemoveLast();
    } else if (n - p == 1) {
        Value only = expr.Last();
        expr.RemoveLast();
        expr.RemoveLast();
        expr.Add(std::move(only));
    } else {
        TokenList group = expr.Slice(p + 1, n);
        if (IsOperatorToken(expr.Last())) group.Add(Value(std::int16_t{0}));
        SetDisplay(DisplayForm(Evaluate(group, inverse_)));
        if (!repeatOp_.empty()) repeatOperand_ = LeadingNumber(std::string_view(Display()));
        TokenList value;
        value.Add(Value(Display()));
        ReplaceFrom(expr, p, value);
    }
    KeepLastOfAdjacentNumbers(expr);
    --parenDepth_;
    parenIndicator_ = ParenText(parenDepth_);
    EndEntry();
}

// ---- equals ----------------------------------------------------------------------

void ScientificKeypad::Equals() {
    TokenList& expr = expression_;
    if (parenDepth_ > 0) return Beep();
    RecordTypedNumber();
    KeepLastOfAdjacentNumbers(expr);
    const std::size_t n = expr.Count();
    expr.Item(n);  // an empty list here is an invalid position
    const bool lastIsNumber = expr.IsNumberAt(n);
    double r;
    if (n >= 2 && !lastIsNumber) {
        // A trailing operator: the first token is the right operand too.
        while (expr.Count() > 2) expr.RemoveLast();
        const Value first = expr.Item(1);
        expr.Add(first);
        repeatOp_ = TextForm(expr.Item(2));
        repeatOperand_ = ToDouble(first);
        r = Evaluate(expr, inverse_);
    } else if (!repeatOp_.empty() && n == 1 && lastIsNumber) {
        // Repeat the last operation on the last result.
        expr.RemoveLast();
        expr.Add(Value(lastResult_));
        expr.Add(Value(repeatOp_));
        expr.Add(Value(repeatOperand_));
        r = Evaluate(expr, inverse_);
    } else if (n >= 3 && lastIsNumber) {
        // A complete expression: everything after the first operator is evaluated
        // first and becomes the right operand of a repeated "=".
        // Tokens 3..n leave the list whether or not their value can be computed.
        double v;
        try {
            v = EvaluateRange(expr, 3, n, inverse_);
        } catch (...) {
            while (expr.Count() > 2) expr.RemoveLast();
            throw;
        }
        while (expr.Count() > 2) expr.RemoveLast();
        expr.Add(Value(v));
        repeatOp_ = TextForm(expr.Item(2));
        repeatOperand_ = v;
        r = Evaluate(expr, inverse_);
        expr.RemoveLast();
    } else {
        return;  // nothing to evaluate
    }
    lastResult_ = LeadingNumber(std::string_view(DisplayForm(r)));
    expr.RemoveLast();
    expr.RemoveLast();
    expr.Add(Value(r));
    SetDisplay(DisplayForm(r));
    EndEntry();
}

// ---- memory and pi ---------------------------------------------------------------

void ScientificKeypad::MemoryKey(Key key) {
    TokenList& expr = expression_;
    switch (key) {
        case Key::MemoryClear: SetMemory(0); break;
        case Key::MemoryRecall:
            SetDisplay(DisplayForm(Memory()));
            expr.Add(Value(Memory()));
            break;
        default:  // MS, M+: the shown number (recorded), else the last recorded one
            if (IsNumericText(Display())) {
                const double v = LeadingNumber(std::string_view(Display()));
                expr.Add(Value(v));
                SetMemory(MemoryAfter(key, v));
            } else if (!expr.Empty() && expr.IsNumberAt(expr.Count())) {
                SetMemory(MemoryAfter(key, LeadingNumber(expr.Last())));
            } else {
                SetMemory(key == Key::MemoryStore ? 0 : Memory());
            }
            break;
    }
    EndEntry();
}

void ScientificKeypad::Pi() {
    // Inv pi is 2 pi; both are written with the 15 digits the display shows.
    SetDisplay(DisplayForm(inverse_ ? 6.28318530717959 : 3.14159265358979));
    inverse_ = false;
    expression_.Add(Value(Display()));
    EndEntry();
}

// ---- function keys ---------------------------------------------------------------

void ScientificKeypad::ApplyFunction(Function f) {
    TokenList& expr = expression_;
    RecordTypedNumber();
    KeepLastOfAdjacentNumbers(expr);

    // The operand: the last number of the open group, 0 when it has none.
    const std::size_t p = expr.LastParen();
    std::size_t found = 0;
    for (std::size_t i = expr.Count(); i > p; --i) {
        if (expr.IsNumberAt(i)) {
            found = i;
            break;
        }
    }
    const double x = found ? ToDouble(expr.Item(found)) : 0.0;

    Value result;
    if (f == Function::Factorial) {
        if (x < 0) return ShowError(kNegativeFactorial);
        result = Value(Factorial(RoundToInt32(x)));
    } else {
        const bool inv = inverse_;
        result = Value(FunctionValue(f, x, inv, hyperbolic_));
        // The modifiers are one-shot: cleared only after a successful use. The angle
        // functions use both; 1/x uses neither.
        if (f == Function::Sin || f == Function::Cos || f == Function::Tan) {
            inverse_ = false;
            hyperbolic_ = false;
        } else if (f != Function::Reciprocal && inv) {
            inverse_ = false;
        }
    }

    if (found != 0 && found == expr.Count()) expr.RemoveLast();
    const std::string shown = TextForm(result);
    expr.Add(std::move(result));
    SetDisplay(shown);
    EndEntry();
}

}  // namespace calc
