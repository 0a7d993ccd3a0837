#include "keypad/standard_keypad.h"

#include <cmath>

#include "engine/errors.h"
#include "engine/value.h"

namespace calc {

StandardKeypad::StandardKeypad(Platform& platform) : Keypad(platform) { Reload(); }

void StandardKeypad::Clear() {
    ResetEntry(true);
    pendingOp_.reset();
    operatorPressed_ = false;
    operandTyped_ = false;
    accumulator_ = 0;
    operand_ = 0;
}

double StandardKeypad::DisplayValue() const { return LeadingNumber(std::string_view(Display())); }

void StandardKeypad::Handle(Key key) {
    switch (key) {
        case Key::Add:
        case Key::Subtract:
        case Key::Multiply:
        case Key::Divide: return BinaryOperator(*BinaryOpOf(key));
        case Key::Equals: return Equals();
        case Key::Sign: return SignChange();
        case Key::SquareRoot:
        case Key::Percent:
        case Key::Reciprocal: return ApplyFunction(key);
        case Key::Clear: return Clear();
        case Key::MemoryClear:
        case Key::MemoryRecall:
        case Key::MemoryStore:
        case Key::MemoryAdd: return MemoryKey(key);
        default: return;  // the typing keys are the base's; the rest are scientific keys
    }
}

void StandardKeypad::BeginOperand() {
    if (operatorPressed_) operandTyped_ = true;
}

void StandardKeypad::ApplyPendingOperator(double operand) {
    if (!pendingOp_) return;
    const double a = accumulator_;
    double r = 0;
    switch (*pendingOp_) {
        case BinaryOp::Add: r = CheckedAdd(a, operand); break;
        case BinaryOp::Subtract: r = CheckedSub(a, operand); break;
        case BinaryOp::Multiply: r = CheckedMul(a, operand); break;
        case BinaryOp::Divide: r = CheckedDiv(a, operand); break;
        case BinaryOp::Power:
        case BinaryOp::Modulo: return;  // not on this keypad
    }
    SetDisplay(DisplayForm(r));
}

void StandardKeypad::BinaryOperator(BinaryOp op) {
    if (!operatorPressed_) {
        operatorPressed_ = true;
    } else if (operandTyped_) {
        ApplyPendingOperator(DisplayValue());
        operandTyped_ = false;
    }
    accumulator_ = operand_ = DisplayValue();
    EndEntry();
    pendingOp_ = op;
}

void StandardKeypad::Equals() {
    if (!pendingOp_) return;
    if (operandTyped_) {
        operand_ = DisplayValue();
        operandTyped_ = false;
    }
    ApplyPendingOperator(LeadingNumber(std::string_view(DisplayForm(operand_))));
    accumulator_ = DisplayValue();
    operatorPressed_ = false;
    EndEntry();
}

void StandardKeypad::SignChange() {
    if (operatorPressed_ && !operandTyped_) {
        SetDisplay("0");
        operandTyped_ = true;
    } else {
        SetDisplay(DisplayForm(-DisplayValue()));
    }
}

void StandardKeypad::ApplyFunction(Key key) {
    if (!IsNumericText(Display())) return;
    const double x = DisplayValue();
    double r;
    if (key == Key::SquareRoot) {
        if (x < 0) Raise(ErrorKind::InvalidArgument);
        r = std::sqrt(x);
    } else if (key == Key::Percent) {
        r = CheckedDiv(CheckedMul(accumulator_, x), 100);
    } else {
        r = CheckedDiv(1, x);
    }
    SetDisplay(DisplayForm(r));
    operand_ = DisplayValue();
}

void StandardKeypad::MemoryKey(Key key) {
    switch (key) {
        case Key::MemoryClear: SetMemory(0); break;
        case Key::MemoryRecall:
            BeginOperand();
            SetDisplay(DisplayForm(Memory()));
            break;
        default:  // MS, M+: 0 while the operand of a pending operator is still to come
            if (operatorPressed_ && !operandTyped_)
                SetMemory(0);
            else if (IsNumericText(Display()))
                SetMemory(MemoryAfter(key, DisplayValue()));
            else
                SetMemory(Memory());
            break;
    }
    EndEntry();
}

std::string StandardKeypad::CheckOwnRules() const {
    if (Display().empty()) return "an empty display";
    if (!std::isfinite(accumulator_) || !std::isfinite(operand_)) return "a standard register is not finite";
    return {};
}

#ifdef CALC_SELF_TEST_HOOKS
bool StandardKeypad::BreakOwnRule(int rule) {
    switch (rule) {
        case 0: operand_ = std::nan(""); break;
        case 1: SetDisplay(""); break;
        default: return false;
    }
    return true;
}
#endif

}  // namespace calc
