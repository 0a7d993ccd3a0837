#include "standard/standard_window.h"

#include <cmath>

#include "engine/errors.h"
#include "engine/value.h"

namespace calc {

namespace {
enum Key {
    kPoint = 10, kEquals = 15, kSign = 16, kSqrt = 17, kPercent = 18, kReciprocal = 19,
    kClear = 20, kClearEntry = 21, kBackSpace = 22, kMC = 23, kMR = 24, kMS = 25, kMPlus = 26,
};
}  // namespace

StandardWindow::StandardWindow(Module1& store, Platform& platform) : store_(store), platform_(platform) {
    ResetStandardState(store_);
}

void StandardWindow::SetText1(std::string text) {
    text1_ = NormaliseDisplay(std::move(text));
}

double StandardWindow::DisplayValue() const { return LeadingNumber(std::string_view(text1_)); }

void StandardWindow::Command1_Click(int index) {
    if (store_.blnStdError && index != kClear) {
        platform_.Beep();
        return;
    }
    const std::string error = TrapRunTimeErrors([&] { Dispatch(index); });
    if (!error.empty()) {
        store_.blnStdError = -1;
        SetText1(error);
    }
}

void StandardWindow::Dispatch(int index) {
    if (index >= 0 && index <= 9) return Digit(index);
    switch (index) {
        case kPoint: return Point();
        case 11: case 12: case 13: case 14: return Operator(index);
        case kEquals: return Equals();
        case kSign: return SignChange();
        case kSqrt: case kPercent: case kReciprocal: return Function(index);
        case kClear:
            ResetStandardState(store_);
            SetText1("0");
            return;
        case kClearEntry: return ClearEntry();
        case kBackSpace: return BackSpace();
        case kMC: case kMR: case kMS: case kMPlus: return MemoryKey(index);
        default: return;
    }
}

void StandardWindow::Digit(int digit) {
    Module1& m = store_;
    if (m.blnOpPending && !m.blnOperandTyped) m.blnOperandTyped = -1;
    const char d = static_cast<char>('0' + digit);
    if (m.blnStdNewNumber) {
        SetText1(std::string(1, d));
        m.blnStdNewNumber = 0;
    } else if (text1_ == "0") {
        SetText1(std::string(1, d));
    } else {
        text1_.push_back(d);  // appending a digit never makes the text start with "."
    }
}

void StandardWindow::Point() {
    Module1& m = store_;
    if (m.blnOpPending) m.blnOperandTyped = -1;
    if (m.blnStdPoint) {
        platform_.Beep();
    } else if (m.blnStdNewNumber) {
        SetText1("0.");
        m.blnStdNewNumber = 0;
        m.blnStdPoint = -1;
    } else {
        SetText1(text1_ + ".");
        m.blnStdPoint = -1;
    }
}

void StandardWindow::ApplyPendingOp(const std::string& text) {
    const double x = LeadingNumber(std::string_view(text));
    const double a = store_.dblAccumulator;
    double r;
    switch (store_.intPendingOp) {
        case 1: r = CheckedAdd(a, x); break;
        case 2: r = CheckedSub(a, x); break;
        case 3: r = CheckedMul(a, x); break;
        case 4: r = CheckedDiv(a, x); break;
        default: return;
    }
    SetText1(DisplayForm(r));
}

void StandardWindow::Operator(int index) {
    Module1& m = store_;
    if (!m.blnOpPending) {
        m.blnOpPending = -1;
    } else if (m.blnOperandTyped) {
        ApplyPendingOp(text1_);
        m.blnOperandTyped = 0;
    }
    const double v = DisplayValue();
    m.dblAccumulator = v;
    m.dblOperand = v;
    m.blnStdNewNumber = -1;
    m.blnStdPoint = 0;
    m.intPendingOp = static_cast<std::int16_t>(index - 10);
}

void StandardWindow::Equals() {
    Module1& m = store_;
    if (m.intPendingOp < 1 || m.intPendingOp > 4) return;
    if (m.blnOperandTyped) {
        m.dblOperand = DisplayValue();
        m.blnOperandTyped = 0;
    }
    ApplyPendingOp(DisplayForm(m.dblOperand));
    m.dblAccumulator = DisplayValue();
    m.blnOpPending = 0;
    m.blnStdNewNumber = -1;
    m.blnStdPoint = 0;
}

void StandardWindow::SignChange() {
    Module1& m = store_;
    if (m.blnOpPending && !m.blnOperandTyped) {
        SetText1("0");
        m.blnOperandTyped = -1;
    } else {
        SetText1(DisplayForm(-DisplayValue()));
    }
}

void StandardWindow::Function(int index) {
    Module1& m = store_;
    if (!IsNumericText(text1_)) return;
    const double x = DisplayValue();
    double r;
    if (index == kSqrt) {
        if (x < 0) Raise(ErrorKind::InvalidArgument);
        r = std::sqrt(x);
    } else if (index == kPercent) {
        r = CheckedDiv(CheckedMul(m.dblAccumulator, x), 100);
    } else {
        r = CheckedDiv(1, x);
    }
    SetText1(DisplayForm(r));
    m.dblOperand = DisplayValue();
}

void StandardWindow::ClearEntry() {
    Module1& m = store_;
    m.blnStdNewNumber = 0;
    m.blnStdPoint = 0;
    SetText1("0");
    if (m.blnOpPending && !m.blnOperandTyped) m.blnOperandTyped = -1;
}

void StandardWindow::BackSpace() {
    Module1& m = store_;
    if (m.blnStdNewNumber) {
        platform_.Beep();
        return;
    }
    std::string text = text1_;
    if (!text.empty()) text.pop_back();
    if (text.find('.') == std::string::npos) m.blnStdPoint = 0;
    if (text.empty()) text = "0";
    SetText1(std::move(text));
}

void StandardWindow::MemoryKey(int index) {
    Module1& m = store_;
    switch (index) {
        case kMC:
            text2_.clear();
            m.dblStdMemory = 0;
            break;
        case kMR:
            if (m.blnOpPending && !m.blnOperandTyped) m.blnOperandTyped = -1;
            SetText1(DisplayForm(m.dblStdMemory));
            break;
        default:  // MS, M+
            if (m.blnOpPending && !m.blnOperandTyped) {
                m.dblStdMemory = 0;
            } else if (IsNumericText(text1_)) {
                const double v = DisplayValue();
                m.dblStdMemory = index == kMS ? v : CheckedAdd(m.dblStdMemory, v);
            }
            text2_ = m.dblStdMemory != 0 ? "M" : "";
            break;
    }
    m.blnStdNewNumber = -1;
    m.blnStdPoint = 0;
}

}  // namespace calc
