#include "scientific/scientific_window.h"

#include <cmath>

#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/factorial.h"
#include "engine/value.h"
#include "scientific/functions.h"

namespace calc {

namespace {

enum Key {
    kPoint = 10, kSign = 15, kOpen = 16, kClose = 17, kEquals = 19, kClear = 20,
    kMC = 21, kMR = 22, kMS = 23, kMPlus = 24, kFactorial = 27, kPi = 36, kClearEntry = 37, kBackSpace = 38,
};

bool IsBinaryOperatorKey(int index) {
    return (index >= 11 && index <= 14) || index == 18 || index == 35;
}

const char* const kNegativeFactorial = "运行错误：负数没有阶乘，请按复位键'C'";

}  // namespace

ScientificWindow::ScientificWindow(Module1& store, Platform& platform) : store_(store), platform_(platform) {
    ResetScientificState(store_);
    ClearCollection(store_.colExpr);
}

void ScientificWindow::SetText1(std::string text) {
    text1_ = NormaliseDisplay(std::move(text));
}

void ScientificWindow::RecordTypedNumber() {
    if (!store_.blnSciNewNumber) store_.colExpr.Add(Value(text1_));
}

void ScientificWindow::EndEntry() {
    store_.blnSciNewNumber = -1;
    store_.blnSciPoint = 0;
}

void ScientificWindow::Command1_Click(int index) {
    if (store_.blnSciError && index != kClear) {
        platform_.Beep();
        return;
    }
    const std::string error = TrapRunTimeErrors([&] { Dispatch(index); });
    if (!error.empty()) {
        store_.blnSciError = -1;
        SetText1(error);
    }
}

void ScientificWindow::Dispatch(int index) {
    if (index >= 0 && index <= 9) return Digit(index);
    if (IsBinaryOperatorKey(index)) return BinaryOperator(index);
    if (index >= 25 && index <= 34) return ApplyFunction(index);
    switch (index) {
        case kPoint: return Point();
        case kSign: return SignChange();
        case kOpen: return OpenParen();
        case kClose: return CloseParen();
        case kEquals: return Equals();
        case kClear: return Clear();
        case kMC: case kMR: case kMS: case kMPlus: return MemoryKey(index);
        case kPi: return Pi();
        case kClearEntry: return ClearEntry();
        case kBackSpace: return BackSpace();
        default: return;
    }
}

// ---- number entry -------------------------------------------------------------

void ScientificWindow::Digit(int digit) {
    const char d = static_cast<char>('0' + digit);
    if (store_.blnSciNewNumber) {
        SetText1(std::string(1, d));
        store_.blnSciNewNumber = 0;
    } else if (text1_ == "0") {
        SetText1(std::string(1, d));
    } else {
        text1_.push_back(d);  // appending a digit never makes the text start with "."
    }
}

void ScientificWindow::Point() {
    if (store_.blnSciPoint) {
        platform_.Beep();
    } else if (store_.blnSciNewNumber) {
        SetText1("0.");
        store_.blnSciNewNumber = 0;
    } else {
        text1_.push_back('.');
    }
    store_.blnSciPoint = -1;
}

void ScientificWindow::SignChange() {
    if (!store_.blnSciNewNumber) {
        if (IsNumericText(text1_)) SetText1(DisplayForm(-LeadingNumber(std::string_view(text1_))));
        return;
    }
    // The shown value is already recorded: the sign change is made in the list.
    TokenList& expr = store_.colExpr;
    if (!expr.Empty() && expr.IsNumberAt(expr.Count())) {
        const double v = LeadingNumber(expr.Last());
        expr.RemoveLast();
        expr.Add(Value(-v));
        SetText1(DisplayForm(-v));
    } else {
        expr.Add(Value(std::int16_t{0}));
        SetText1("0");
    }
}

void ScientificWindow::ClearEntry() {
    SetText1("0");
    store_.blnSciNewNumber = 0;
    store_.blnSciPoint = 0;
}

void ScientificWindow::BackSpace() {
    if (store_.blnSciNewNumber) {
        platform_.Beep();
        return;
    }
    std::string text = text1_;
    if (!text.empty()) text.pop_back();
    if (text.find('.') == std::string::npos) store_.blnSciPoint = 0;
    if (text.empty()) text = "0";
    SetText1(std::move(text));
}

void ScientificWindow::Clear() {
    ResetScientificState(store_);
    ClearCollection(store_.colExpr);
    check1_ = 0;
    check2_ = 0;
    SetText1("0");
    text2_.clear();
}

// ---- operators and parentheses -------------------------------------------------

void ScientificWindow::BinaryOperator(int index) {
    TokenList& expr = store_.colExpr;
    RecordTypedNumber();
    AddOperator(expr, index);
    CollapseNumbers(expr);
    const std::size_t p = Searchii(expr);
    const std::size_t n = expr.Count();
    // The waiting group p+1..n-1 is folded when the new operator does not bind tighter
    // than any operator in it; the question is answered without copying the group.
    if (n - p > 2 && JudgeRange(expr, p + 1, n - 1, expr.Last())) {
        SetText1(DisplayForm(CalculateRange(expr, p + 1, n - 1, check1_)));
        // The group after the last "(" becomes the partial result, as display text,
        // followed by the new operator.
        Value op = expr.Last();
        while (expr.Count() > p) expr.RemoveLast();
        expr.Add(Value(text1_));
        expr.Add(std::move(op));
    }
    EndEntry();
}

void ScientificWindow::OpenParen() {
    TokenList& expr = store_.colExpr;
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
    SetText1("");
    EndEntry();
    if (store_.intParenDepth == 32767) Raise(ErrorKind::Overflow);
    ++store_.intParenDepth;
    text2_ = "(=" + std::to_string(store_.intParenDepth);
}

void ScientificWindow::CloseParen() {
    TokenList& expr = store_.colExpr;
    if (store_.intParenDepth == 0) {
        platform_.Beep();
        return;
    }
    RecordTypedNumber();
    const std::size_t p = Searchii(expr);
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
        SetText1(DisplayForm(Calculate(group, check1_)));
        if (!store_.strRepeatOp.empty()) store_.dblRepeatOperand = LeadingNumber(std::string_view(text1_));
        TokenList value;
        value.Add(Value(text1_));
        ReplaceTail(expr, p, value);
    }
    CollapseNumbers(expr);
    --store_.intParenDepth;
    text2_ = store_.intParenDepth == 0 ? "" : "(=" + std::to_string(store_.intParenDepth);
    EndEntry();
}

// ---- equals --------------------------------------------------------------------

void ScientificWindow::Equals() {
    Module1& m = store_;
    TokenList& expr = m.colExpr;
    if (m.intParenDepth > 0) {
        platform_.Beep();
        return;
    }
    RecordTypedNumber();
    CollapseNumbers(expr);
    const std::size_t n = expr.Count();
    expr.Item(n);  // an empty list here is an invalid position
    const bool lastIsNumber = expr.IsNumberAt(n);
    double r;
    if (n >= 2 && !lastIsNumber) {
        // A trailing operator: the first token is the right operand too.
        while (expr.Count() > 2) expr.RemoveLast();
        const Value first = expr.Item(1);
        expr.Add(first);
        m.strRepeatOp = TextForm(expr.Item(2));
        m.dblRepeatOperand = ToDouble(first);
        r = Calculate(expr, check1_);
    } else if (!m.strRepeatOp.empty() && n == 1 && lastIsNumber) {
        // Repeat the last operation on the last result.
        expr.RemoveLast();
        expr.Add(Value(m.dblLastResult));
        expr.Add(Value(m.strRepeatOp));
        expr.Add(Value(m.dblRepeatOperand));
        r = Calculate(expr, check1_);
    } else if (n >= 3 && lastIsNumber) {
        // A complete expression: everything after the first operator is evaluated
        // first and becomes the right operand of a repeated "=".
        // Tokens 3..n leave the list whether or not their value can be computed.
        double v;
        try {
            v = CalculateRange(expr, 3, n, check1_);
        } catch (...) {
            while (expr.Count() > 2) expr.RemoveLast();
            throw;
        }
        while (expr.Count() > 2) expr.RemoveLast();
        expr.Add(Value(v));
        m.strRepeatOp = TextForm(expr.Item(2));
        m.dblRepeatOperand = v;
        r = Calculate(expr, check1_);
        expr.RemoveLast();
    } else {
        return;  // nothing to evaluate
    }
    m.dblLastResult = LeadingNumber(std::string_view(DisplayForm(r)));
    expr.RemoveLast();
    expr.RemoveLast();
    expr.Add(Value(r));
    SetText1(DisplayForm(r));
    EndEntry();
}

// ---- memory and pi -------------------------------------------------------------

void ScientificWindow::MemoryKey(int index) {
    Module1& m = store_;
    TokenList& expr = m.colExpr;
    switch (index) {
        case kMC:
            text3_.clear();
            m.dblSciMemory = 0;
            break;
        case kMR:
            SetText1(DisplayForm(m.dblSciMemory));
            expr.Add(Value(m.dblSciMemory));
            break;
        default: {  // MS, M+
            const bool store = index == kMS;
            if (IsNumericText(text1_)) {
                const double v = LeadingNumber(std::string_view(text1_));
                expr.Add(Value(v));
                m.dblSciMemory = store ? v : CheckedAdd(m.dblSciMemory, v);
            } else if (!expr.Empty() && expr.IsNumberAt(expr.Count())) {
                const double v = LeadingNumber(expr.Last());
                m.dblSciMemory = store ? v : CheckedAdd(m.dblSciMemory, v);
            } else if (store) {
                m.dblSciMemory = 0;
            }
            text3_ = m.dblSciMemory != 0 ? "M" : "";
            break;
        }
    }
    EndEntry();
}

void ScientificWindow::Pi() {
    if (check1_ == 1) {
        SetText1(DisplayForm(6.28318530717959));
        check1_ = 0;
    } else {
        SetText1(DisplayForm(3.14159265358979));
    }
    store_.colExpr.Add(Value(text1_));
    EndEntry();
}

// ---- function keys -------------------------------------------------------------

void ScientificWindow::ApplyFunction(int index) {
    TokenList& expr = store_.colExpr;
    RecordTypedNumber();
    CollapseNumbers(expr);

    // The operand: the last number of the open group, 0 when it has none.
    const std::size_t p = Searchii(expr);
    std::size_t found = 0;
    for (std::size_t i = expr.Count(); i > p; --i) {
        if (expr.IsNumberAt(i)) {
            found = i;
            break;
        }
    }
    const double x = found ? ToDouble(expr.Item(found)) : 0.0;

    Value result;
    if (index == kFactorial) {
        if (x < 0) {
            store_.blnSciError = -1;
            SetText1(kNegativeFactorial);
            return;
        }
        result = Value(Factorial(RoundToInt32(x)));
    } else {
        const bool inv = check1_ == 1;
        const bool hyp = check2_ == 1;
        result = Value(FunctionValue(index, x, inv, hyp));
        // The boxes are one-shot: cleared only after a successful use.
        if (index >= 29 && index <= 31) {
            check1_ = 0;
            check2_ = 0;
        } else if (index != 28 && inv) {
            check1_ = 0;
        }
    }

    if (found != 0 && found == expr.Count()) expr.RemoveLast();
    const std::string shown = TextForm(result);
    expr.Add(std::move(result));
    SetText1(shown);
    EndEntry();
}

}  // namespace calc
