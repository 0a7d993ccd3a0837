#pragma once
// The standard keypad: immediate execution (each operator carries out the pending one),
// no precedence, a repeatable "=", square root, percentage, reciprocal and a memory.
#include <optional>
#include <string>

#include "engine/operators.h"
#include "keypad/keypad.h"

namespace calc {

class StandardKeypad : public Keypad {
public:
    explicit StandardKeypad(Platform& platform);

    // Loading the window: "0" on the display, nothing pending, the memory indicator
    // empty; the memory keeps its value.
    void Reload();

private:
    friend class KeypadProbe;

    void Handle(Key key) override;
    void Clear();                 // "C": as loaded, but the memory indicator stays
    double DisplayValue() const;  // the leading number of the display
    void ApplyPendingOperator(double operand);
    void TypedOperand();  // an operator is pending: what follows is its operand
    void EnterDigit(int digit);
    void ClearOperand();  // CE
    void Operator(BinaryOp op);
    void Equals();
    void SignChange();
    void Function(Key key);
    void MemoryKey(Key key);

    std::optional<BinaryOp> pendingOp_;  // "+" "-" "*" "/" waiting for its right operand
    bool operatorPressed_ = false;       // an operator was pressed since the last "="
    bool operandTyped_ = false;          // the pending operator's right operand was entered
    double accumulator_ = 0;             // the left operand
    double operand_ = 0;                 // the right operand, kept for a repeated "="
};

}  // namespace calc
