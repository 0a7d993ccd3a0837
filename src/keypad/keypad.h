#pragma once
// What both keypads share: the display, typing a number (digits, the point, BackSpace,
// CE), and the error trap that turns a run-time error into the error text on the
// display and locks the keypad until "C".
#include <string>

#include "keypad/key.h"
#include "keypad/platform.h"

namespace calc {

class KeypadProbe;

class Keypad {
public:
    Keypad(const Keypad&) = delete;
    Keypad& operator=(const Keypad&) = delete;
    virtual ~Keypad() = default;

    // Presses a key. While the keypad is locked every key but "C" only sounds the
    // alert. A key the keypad does not have does nothing. Never throws.
    void Press(Key key);
    // A press where no key is (a `click` of an index without one): only a locked
    // keypad answers, with the alert.
    void PressNoKey();

    const std::string& Display() const { return display_; }
    bool Locked() const { return locked_; }
    // "M" while the memory holds anything but 0 (empty again when the window is loaded).
    const std::string& MemoryIndicator() const { return memoryIndicator_; }

protected:
    explicit Keypad(Platform& platform) : platform_(platform) {}

    // The key handler of the keypad; run-time errors it raises lock the keypad.
    virtual void Handle(Key key) = 0;

    void Beep() { platform_.Beep(); }
    // Sets the display text; a text starting with "." gets its leading "0".
    void SetDisplay(std::string text);
    // Shows an error text and locks the keypad.
    void ShowError(std::string text);
    // The display "0" and the state of a freshly loaded keypad: not locked, no point,
    // and a digit either starts a new number or extends the "0".
    void ResetEntry(bool newNumber);

    // Typing: a digit replaces the display after an operator or result and a lone
    // "0", and extends it otherwise; a second point only beeps; BackSpace drops the
    // last character while a number is being typed and beeps otherwise; CE puts "0".
    void TypeDigit(int digit);
    void TypePoint();
    void EraseLast();
    void ClearEntry();
    // The memory of the keypad (each keypad has its own): MC sets 0, MS stores a value,
    // M+ adds one (raising overflow); the indicator follows every change.
    double Memory() const { return memory_; }
    void SetMemory(double value);
    double MemoryAfter(Key storeOrAdd, double value) const;  // what MS or M+ would store
    void HideMemoryIndicator() { memoryIndicator_.clear(); }

    // The shown number is complete: the next digit starts a new one.
    void EndEntry();
    bool TypingNumber() const { return !newNumber_; }

private:
    friend class KeypadProbe;

    Platform& platform_;
    std::string display_ = "0";
    bool newNumber_ = false;  // the next digit starts a new number
    bool point_ = false;      // the number being typed has its point
    bool locked_ = false;     // a run-time error is shown
    double memory_ = 0;
    std::string memoryIndicator_;
};

}  // namespace calc
