#pragma once
// The standard window's keypad engine: immediate execution, no precedence,
// repeatable "=", a one-value memory. The window's controls are the display Text1
// and the memory indicator Text2; the Qt window mirrors them.
#include <string>

#include "app/module1.h"

namespace calc {

class StandardWindow {
public:
    // Loading the window (Form_Load): resets the standard fields; the display shows
    // "0" and the memory indicator is empty.
    StandardWindow(Module1& store, Platform& platform);

    // The click of the key with this index (0..26); any other index does nothing,
    // except that a locked keypad sounds the alert for it. Never throws.
    void Command1_Click(int index);

    const std::string& Text1() const { return text1_; }
    const std::string& Text2() const { return text2_; }
    bool Locked() const { return store_.blnStdError != 0; }

private:
    void Dispatch(int index);
    void SetText1(std::string text);  // runs the display rule Text1_Change
    double DisplayValue() const;      // leading number of the display
    void ApplyPendingOp(const std::string& text);
    void Digit(int digit);
    void Point();
    void Operator(int index);
    void Equals();
    void SignChange();
    void Function(int index);
    void ClearEntry();
    void BackSpace();
    void MemoryKey(int index);

    Module1& store_;
    Platform& platform_;
    std::string text1_ = "0";
    std::string text2_;
};

}  // namespace calc
