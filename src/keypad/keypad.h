#pragma once
// What both keypads share: the display, typing a number (digits, the point, BackSpace,
// CE), loading the window, the memory, the error trap that turns a run-time error into
// the error text on the display and locks the keypad until "C", and the consistency
// rules of that shared state.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "keypad/key.h"
#include "keypad/platform.h"

namespace calc {

// Whether a text has the form of a number on the display: digits and points (never
// first), an optional leading "-", one "E" with an optional sign after it; what typing,
// BackSpace and results leave there, even an incomplete exponent or a second point.
bool IsDisplayNumber(std::string_view text);

class Keypad {
public:
    Keypad(const Keypad&) = delete;
    Keypad& operator=(const Keypad&) = delete;
    virtual ~Keypad() = default;

    // Loading the window: "0" on the display, nothing pending, the memory indicator
    // empty; the memory keeps its value.
    void Reload();

    // Presses a key. While the keypad is locked every key but "C" only sounds the
    // alert. A key the keypad does not have does nothing. Never throws.
    void Press(Key key);
    // A press where no key is (a `click` of an index without one): only a locked
    // keypad answers, with the alert.
    void PressNoKey();
    // Work that is no key of its own (the Edit menu, the view of what a key left) under the keys' error
    // trap: a run-time error or running out of memory shows its error text and locks the keypad.
    void Trap(const std::function<void()>& work);

    const std::string& Display() const { return display_; }
    bool Locked() const { return locked_; }
    // "M" while the memory holds anything but 0 (empty again when the window is loaded).
    const std::string& MemoryIndicator() const { return memoryIndicator_; }

    // What is wrong with the state, "" when every rule of the keypad holds; the tests,
    // the fuzzers and calc-script ask after every key. It remembers what it has read
    // already, so one more typed digit costs one more character to check.
    std::string CheckConsistency() const;

#ifdef CALC_SELF_TEST_HOOKS
    // Builds with CALC_SELF_TEST_HOOKS only (the fuzz build, the rules test): breaks
    // rule number `rule` on purpose, so a self-test can see CheckConsistency notice it.
    // The first kSharedRules are the rules of the shared state, the others the keypad's
    // own (BreakOwnRule); false for a number past the last.
    static constexpr int kSharedRules = 7;
    bool BreakRule(int rule);
#endif

protected:
#ifdef CALC_SELF_TEST_HOOKS
    virtual bool BreakOwnRule(int rule) = 0;
#endif
    Keypad(Platform& platform, Mode mode) : platform_(platform), mode_(mode) {}

    // "C": the state of a freshly loaded keypad, but the memory indicator stays.
    virtual void Clear() = 0;
    // The handler of every key of the keypad but the typing keys (digits, point,
    // BackSpace, CE); run-time errors it raises lock the keypad.
    virtual void Handle(Key key) = 0;
    // Called before a digit, the point or CE starts or changes the shown number.
    virtual void BeginOperand() {}
    // The rules of the derived keypad's own state, checked after the shared ones.
    virtual std::string CheckOwnRules() const = 0;

    void Beep() { platform_.Beep(); }
    // Sets the display text; a text starting with "." gets its leading "0".
    void SetDisplay(std::string text);
    // Shows an error text and locks the keypad.
    void ShowError(std::string text);
    // The display "0" and the state of a freshly loaded keypad: not locked, no point,
    // and a digit either starts a new number or extends the "0".
    void ResetEntry(bool newNumber);

    // The memory of the keypad (each keypad has its own): MC sets 0, MS stores a value,
    // M+ adds one (raising overflow); the indicator follows every change.
    double Memory() const { return memory_; }
    void SetMemory(double value);
    double MemoryAfter(Key storeOrAdd, double value) const;  // what MS or M+ would store

    // The shown number is complete: the next digit starts a new one.
    void EndEntry();
    bool TypingNumber() const { return !newNumber_; }

private:
    // Typing: a digit replaces the display after an operator or result and a lone
    // "0", and extends it otherwise; a second point only beeps; BackSpace drops the
    // last character while a number is being typed and beeps otherwise; CE puts "0".
    // False for a key that is not a typing key.
    bool Type(Key key);
    void TypeDigit(int digit);
    void TypePoint();
    void EraseLast();
    void ClearEntry();
    std::string CheckDisplay() const;

    // How much of the display CheckDisplay has found to read as a number: the first
    // `length` characters, with the exponent's "E" at `exponentAt` (npos: none). A text
    // of that form stays so when cut short, so only replacing the display forgets it.
    struct CheckedPrefix {
        std::size_t length = 0;
        std::size_t exponentAt = std::string::npos;
    };

    Platform& platform_;
    Mode mode_;  // whose keys this keypad has
    std::string display_ = "0";
    bool newNumber_ = false;  // the next digit starts a new number
    bool point_ = false;      // the number being typed has its point
    bool locked_ = false;     // a run-time error is shown
    double memory_ = 0;
    std::string memoryIndicator_;
    mutable CheckedPrefix checked_;
};

}  // namespace calc
