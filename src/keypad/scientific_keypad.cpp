#include "keypad/scientific_keypad.h"

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/value.h"

#include <algorithm>
#include <cmath>

namespace calc {

namespace {

std::string ParenText(std::int16_t depth) { return depth == 0 ? "" : "(=" + std::to_string(depth); }

}  // namespace

ScientificKeypad::ScientificKeypad(Platform& platform) : Keypad(platform, Mode::Scientific) { Reload(); }

void ScientificKeypad::Clear() {
    ResetEntry(false);
    expression_.Clear();
    checkedTokens_ = 0;
    parenDepth_ = 0;
    repeats_ = false;
    repeatOp_.reset();
    repeatOperand_ = 0;
    lastResult_ = 0;
    inverse_ = false;
    hyperbolic_ = false;
    parenIndicator_.clear();
}

void ScientificKeypad::Handle(Key key) {
    // A key reshapes the expression only after its last "(" (")" from the "(" before
    // that on, see CloseParen).
    ForgetCheckedTokensFrom(expression_.LastParen() + 1);
    if (const std::optional<BinaryOp> op = BinaryOpOf(key)) return BinaryOperator(*op);
    if (const std::optional<Function> f = FunctionOf(key)) return ApplyFunction(*f);
    switch (key) {
        case Key::Sign: return SignChange();
        case Key::Clear: return Clear();
        case Key::Equals: return Equals();
        case Key::OpenParen: return OpenParen();
        case Key::CloseParen: return CloseParen();
        case Key::Pi: return Pi();
        case Key::MemoryClear:
        case Key::MemoryRecall:
        case Key::MemoryStore:
        case Key::MemoryAdd: return MemoryKey(key);
        default: return;  // the typing keys are the base's
    }
}

void ScientificKeypad::Toggle(ModifierBox box) {
    bool& on = box == ModifierBox::Inverse ? inverse_ : hyperbolic_;
    on = !on;
}

void ScientificKeypad::ForgetCheckedTokensFrom(std::size_t from) {
    checkedTokens_ = std::min(checkedTokens_, from - 1);
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
        if (repeats_) repeatOperand_ = LeadingNumber(std::string_view(Display()));
        TokenList value;
        value.Add(Value(Display()));
        ReplaceFrom(expr, p, value);
    }
    // The group closed: the adjacent numbers are now those of the enclosing group.
    ForgetCheckedTokensFrom(expr.LastParen() + 1);
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
    if (n == 0) Raise(ErrorKind::InvalidPosition);  // nothing recorded, not even a "0"
    const bool lastIsNumber = expr.IsNumberAt(n);
    double r;
    if (n >= 2 && !lastIsNumber)
        r = EqualsAfterOperator();
    else if (repeats_ && n == 1 && lastIsNumber)
        r = RepeatEquals();
    else if (n >= 3 && lastIsNumber)
        r = EqualsOfExpression();
    else
        return;  // nothing to evaluate
    // The result follows what is left of the list.
    lastResult_ = LeadingNumber(std::string_view(DisplayForm(r)));
    expr.Add(Value(r));
    SetDisplay(DisplayForm(r));
    EndEntry();
}

// "a op =": the first token is the right operand too; leaves the first token.
double ScientificKeypad::EqualsAfterOperator() {
    TokenList& expr = expression_;
    while (expr.Count() > 2) expr.RemoveLast();
    const Value first = expr.Item(1);
    expr.Add(first);
    repeats_ = true;
    repeatOp_ = BinaryOpOfToken(expr.Item(2));
    repeatOperand_ = ToDouble(first);
    return EvaluateThenDropLastTwo();
}

// Evaluates the list, then takes away its last two tokens: the operator and its right operand.
double ScientificKeypad::EvaluateThenDropLastTwo() {
    const double r = Evaluate(expression_, inverse_);
    expression_.RemoveLast();
    expression_.RemoveLast();
    return r;
}

// "=" again: the last operation on the last result; leaves the last result.
double ScientificKeypad::RepeatEquals() {
    TokenList& expr = expression_;
    expr.RemoveLast();
    expr.Add(Value(lastResult_));
    if (!repeatOp_) return repeatOperand_;  // the evaluation passes over a text that is no operator
    expr.Add(Value(OperatorToken(*repeatOp_)));
    expr.Add(Value(repeatOperand_));
    return EvaluateThenDropLastTwo();
}

// "a op ... =": everything after the first operator is evaluated first and becomes the
// right operand of a repeated "="; leaves nothing.
double ScientificKeypad::EqualsOfExpression() {
    TokenList& expr = expression_;
    // Tokens 3..n leave the list whether or not their value can be computed.
    double v;
    try {
        v = EvaluateRange(expr, 3, expr.Count(), inverse_);
    } catch (...) {
        while (expr.Count() > 2) expr.RemoveLast();
        throw;
    }
    while (expr.Count() > 2) expr.RemoveLast();
    expr.Add(Value(v));
    repeats_ = true;
    repeatOp_ = BinaryOpOfToken(expr.Item(2));
    repeatOperand_ = v;
    const double r = Evaluate(expr, inverse_);
    expr.Clear();
    return r;
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

    Value result = FunctionValue(f, x, inverse_, hyperbolic_);
    // The modifiers are one-shot: cleared only after a successful use of a key that uses them.
    const Modifiers uses = RowOf(f).uses;
    if (uses != Modifiers::None) inverse_ = false;
    if (uses == Modifiers::InverseAndHyperbolic) hyperbolic_ = false;

    if (found != 0 && found == expr.Count()) expr.RemoveLast();
    const std::string shown = TextForm(result);
    expr.Add(std::move(result));
    SetDisplay(shown);
    EndEntry();
}

// ---- consistency ----------------------------------------------------------------

std::string ScientificKeypad::CheckOwnRules() const {
    // "(" at the deepest level records its token before the depth counter
    // overflows; the keypad is locked then, until "C" empties the list.
    const TokenList& expr = expression_;
    const bool depthAgrees = static_cast<std::size_t>(parenDepth_) == expr.ParenCount();
    if (parenDepth_ < 0 || (!depthAgrees && !Locked())) {
        return "parenthesis depth " + std::to_string(parenDepth_) + " but " + std::to_string(expr.ParenCount()) +
               " \"(\" tokens";
    }
    const std::string paren = ParenText(parenDepth_);
    if (parenIndicator_ != paren)
        return "parenthesis indicator \"" + parenIndicator_ + "\", expected \"" + paren + "\"";
    if (!std::isfinite(lastResult_) || !std::isfinite(repeatOperand_)) return "a repeat register is not finite";
    for (std::size_t i = checkedTokens_ + 1; i <= expr.Count(); ++i) {
        const Value& v = expr.Item(i);
        if (v.IsDouble() && !std::isfinite(v.AsDouble())) return "a token is not finite";
        // A text token is an operator, "(" or a display text that was recorded:
        // typing can leave texts that read as no number ("-1E+15." after "+/-"
        // and "."), which evaluation then passes over.
        if (v.IsText() && !IsDisplayNumber(v.AsText()) && !IsOperatorToken(v) && !v.Is("(")) {
            return "a token is neither a display text, an operator nor \"(\": \"" +
                   std::string(v.AsText().substr(0, 40)) + "\"";
        }
    }
    checkedTokens_ = expr.Count();
    return {};
}

#ifdef CALC_SELF_TEST_HOOKS
bool ScientificKeypad::BreakOwnRule(int rule) {
    switch (rule) {
        case 0: parenDepth_ = 2; break;
        case 1: parenIndicator_ = "(=1"; break;
        case 2: lastResult_ = std::nan(""); break;
        case 3: expression_.Add(Value(std::nan(""))); break;
        case 4: expression_.Add(Value("inf")); break;
        case 5:  // a token the check has read turns bad as a key reshapes the open group
            expression_.Add(Value(Display()));
            (void)CheckConsistency();
            Handle(Key::Digit0);  // forgets what it may reshape, as every key does
            expression_.Clear();
            expression_.Add(Value(",5"));  // bad from its first character on
            break;
        case 6:  // the same as ")" closes the last group
            Handle(Key::OpenParen);
            (void)CheckConsistency();
            Handle(Key::CloseParen);
            expression_.Clear();
            expression_.Add(Value(",6"));
            break;
        default: return false;
    }
    return true;
}
#endif

}  // namespace calc
