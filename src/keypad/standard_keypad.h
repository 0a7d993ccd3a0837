#pragma once
// The standard keypad: immediate execution (each operator carries out the pending one),
// no precedence, a repeatable "=", square root, percentage, reciprocal and a memory.
#include <optional>
#include <string>

#include "keypad/keypad.h"

namespace calc {

class StandardKeypad : public Keypad {
public:
    explicit StandardKeypad(Platform& platform);

private:
    void Clear() override;
    void Handle(Key key) override;
    void BeginOperand() override;  // an operator is pending: what is typed now is its operand
    std::string CheckOwnRules() const override;
#ifdef CALC_SELF_TEST_HOOKS
    bool BreakOwnRule(int rule) override;
#endif

    double DisplayValue() const;  // the leading number of the display
    void ApplyPendingOperator(double operand);
    void BinaryOperator(BinaryOp op);
    void Equals();
    void SignChange();
    void ApplyFunction(Function f);  // square root, reciprocal
    void Percent();
    void MemoryKey(Key key);

    std::optional<BinaryOp> pendingOp_;  // the operator waiting for its right operand
    bool operatorPressed_ = false;       // an operator was pressed since the last "="
    bool operandTyped_ = false;          // the pending operator's right operand was entered
    double accumulator_ = 0;             // the left operand
    double operand_ = 0;                 // the right operand, kept for a repeated "="
};

}  // namespace calc
