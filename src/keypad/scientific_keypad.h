#pragma once
// The scientific keypad: an infix expression recorded as tokens and evaluated as early
// as precedence allows, with parentheses, a repeatable "=", memory, pi and the function
// keys with their one-shot modifiers Inv and Hyp.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/functions.h"
#include "engine/operators.h"
#include "engine/token_list.h"
#include "keypad/keypad.h"

namespace calc {

// The one-shot modifier boxes of the function keys.
enum class ModifierBox { Inverse, Hyperbolic };

class ScientificKeypad : public Keypad {
public:
    // Parentheses open at once, at most; one more is an overflow error.
    static constexpr std::int16_t kMaxParenDepth = 32767;

    explicit ScientificKeypad(Platform& platform);

    const std::string& ParenIndicator() const { return parenIndicator_; }  // "(=N" with N open
    bool Inverse() const { return inverse_; }
    bool Hyperbolic() const { return hyperbolic_; }
    // A click on a modifier box ticks or clears it.
    void Toggle(ModifierBox box);

    // The recorded expression, in the notation of the scenario files' `expect tokens`.
    const TokenList& Expression() const { return expression_; }

private:
    void Clear() override;
    void Handle(Key key) override;
    std::string CheckOwnRules() const override;
#ifdef CALC_SELF_TEST_HOOKS
    bool BreakOwnRule(int rule) override;
#endif

    void RecordTypedNumber();  // appends the display when a number is being typed
    void SignChange();
    void BinaryOperator(BinaryOp op);
    void OpenParen();
    void CloseParen();
    void Equals();
    double EqualsAfterOperator();
    double RepeatEquals();
    double EqualsOfExpression();
    double EvaluateThenDropLastTwo();
    void MemoryKey(Key key);
    void Pi();
    void ApplyFunction(Function f);
    // The tokens from position `from` on may change: the consistency check reads them again.
    void ForgetCheckedTokensFrom(std::size_t from);

    TokenList expression_;
    std::int16_t parenDepth_ = 0;
    // A repeated "=" applies the operator again, with the right operand, to the last
    // result; `repeats_` without an operator when a text that is no operator stood
    // where the operator was recorded (the evaluation passes over it).
    bool repeats_ = false;
    std::optional<BinaryOp> repeatOp_;
    double repeatOperand_ = 0;
    double lastResult_ = 0;
    bool inverse_ = false;
    bool hyperbolic_ = false;
    std::string parenIndicator_;
    mutable std::size_t checkedTokens_ = 0;  // leading tokens the consistency check has read
};

}  // namespace calc
