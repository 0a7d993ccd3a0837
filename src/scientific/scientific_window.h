#pragma once
// The scientific window's keypad: an infix expression recorded as tokens in the
// store's expression list, evaluated as early as precedence allows, with
// parentheses, repeatable "=", memory, pi and the function keys with Inv and Hyp.
// Its controls (display Text1, indicators Text2 and Text3, check boxes Check1 "Inv"
// and Check2 "Hyp") are a small model that the Qt window mirrors.
#include <cstdint>
#include <string>

#include "app/module1.h"

namespace calc {

class ScientificWindow {
public:
    // Loading the window (Form_Load): resets the scientific fields (not the memory)
    // and empties the expression list. The display shows "0", the rest is empty/clear.
    ScientificWindow(Module1& store, Platform& platform);

    // The click of the key with this index (0..38); any other index does nothing,
    // except that a locked keypad sounds the alert for it. Never throws.
    void Command1_Click(int index);

    const std::string& Text1() const { return text1_; }
    const std::string& Text2() const { return text2_; }
    const std::string& Text3() const { return text3_; }
    std::int16_t Check1() const { return check1_; }
    std::int16_t Check2() const { return check2_; }
    // The user ticks or clears a box (0 clear, 1 ticked).
    void SetCheck1(std::int16_t v) { check1_ = v ? 1 : 0; }
    void SetCheck2(std::int16_t v) { check2_ = v ? 1 : 0; }
    bool Locked() const { return store_.blnSciError != 0; }

    Module1& store() { return store_; }
    const Module1& store() const { return store_; }
    Platform& platform() { return platform_; }

private:
    void Dispatch(int index);
    void SetText1(std::string text);  // runs the display rule Text1_Change
    void RecordTypedNumber();         // appends the display when a number is being typed
    void EndEntry();                  // the new-number state
    void Digit(int digit);
    void Point();
    void SignChange();
    void ClearEntry();
    void BackSpace();
    void Clear();
    void BinaryOperator(int index);
    void OpenParen();
    void CloseParen();
    void Equals();
    void MemoryKey(int index);
    void Pi();
    void ApplyFunction(int index);
    double ComputeFunction(int index, double x);

    Module1& store_;
    Platform& platform_;
    std::string text1_ = "0";
    std::string text2_;
    std::string text3_;
    std::int16_t check1_ = 0;
    std::int16_t check2_ = 0;
};

}  // namespace calc
