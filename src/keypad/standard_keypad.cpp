#include "keypad/standard_keypad.h"

#include <cmath>

#include "engine/errors.h"
#include "engine/value.h"

namespace calc {

StandardKeypad::StandardKeypad(Platform& platform) : Keypad(platform, Mode::Standard) { Reload(); }

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
    if (const std::optional<BinaryOp> op = BinaryOpOf(key)) return BinaryOperator(*op);
    if (const std::optional<Function> f = FunctionOf(key)) return ApplyFunction(*f);
    switch (key) {
        case Key::Equals: return Equals();
        case Key::Sign: return SignChange();
        case Key::Percent: return Percent();
        case Key::Clear: return Clear();
        case Key::MemoryClear:
        case Key::MemoryRecall:
        case Key::MemoryStore:
        case Key::MemoryAdd: return MemoryKey(key);
        default: return;  // the typing keys are the base's
    }
}

void StandardKeypad::BeginOperand() {
    if (operatorPressed_) operandTyped_ = true;
}

void StandardKeypad::ApplyPendingOperator(double operand) {
    if (!pendingOp_) return;
    SetDisplay(DisplayForm(RowOf(*pendingOp_).compute(accumulator_, operand)));
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

void StandardKeypad::ApplyFunction(Function f) {
    if (!IsNumericText(Display())) return;
    SetDisplay(TextForm(FunctionValue(f, DisplayValue(), false, false)));
    operand_ = DisplayValue();
}

void StandardKeypad::Percent() {
    if (!IsNumericText(Display())) return;
    SetDisplay(DisplayForm(CheckedDiv(CheckedMul(accumulator_, DisplayValue()), 100)));
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
