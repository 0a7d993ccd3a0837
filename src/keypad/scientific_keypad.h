#pragma once
// The scientific keypad: an infix expression recorded as tokens and evaluated as early
// as precedence allows, with parentheses, a repeatable "=", memory, pi and the function
// keys with their one-shot modifiers Inv and Hyp.
#include <cstdint>
#include <string>

#include "engine/functions.h"
#include "engine/operators.h"
#include "engine/token_list.h"
#include "keypad/keypad.h"

namespace calc {

class ScientificKeypad : public Keypad {
public:
    // Parentheses open at once, at most; one more is an overflow error.
    static constexpr std::int16_t kMaxParenDepth = 32767;

    explicit ScientificKeypad(Platform& platform);

    // Loading the window: "0" on the display, the expression empty, both indicators
    // empty, Inv and Hyp clear; the memory keeps its value.
    void Reload();

    const std::string& ParenIndicator() const { return parenIndicator_; }  // "(=N" with N open
    bool Inverse() const { return inverse_; }
    bool Hyperbolic() const { return hyperbolic_; }
    // The user ticks or clears a modifier box.
    void SetInverse(bool on) { inverse_ = on; }
    void SetHyperbolic(bool on) { hyperbolic_ = on; }

    // The recorded expression, in the notation of the scenario files' `expect tokens`.
    const TokenList& Expression() const { return expression_; }

private:
    friend class KeypadProbe;

    void Handle(Key key) override;
    void Clear();              // "C": as loaded, but the memory indicator stays
    void RecordTypedNumber();  // appends the display when a number is being typed
    void SignChange();
    void BinaryOperator(BinaryOp op);
    void OpenParen();
    void CloseParen();
    void Equals();
    void MemoryKey(Key key);
    void Pi();
    void ApplyFunction(Function f);

    TokenList expression_;
    std::int16_t parenDepth_ = 0;
    std::string repeatOp_;      // the operator a repeated "=" applies again, "" for none
    double repeatOperand_ = 0;  // ... with this right operand
    double lastResult_ = 0;     // ... to this left operand
    bool inverse_ = false;
    bool hyperbolic_ = false;
    std::string parenIndicator_;
};

}  // namespace calc
