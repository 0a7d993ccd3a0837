#pragma once
// The state store: everything that outlives one key press. One instance per program
// run, owned by the Application; every numeric field starts at zero.
#include <cstdint>
#include <string>

#include "engine/token_list.h"

namespace calc {

struct Module1 {
    // Standard window. Flags hold 0 (false) or -1 (true).
    std::int16_t blnStdError = 0;
    std::int16_t blnStdNewNumber = 0;
    std::int16_t blnStdPoint = 0;
    std::int16_t blnOpPending = 0;
    std::int16_t blnOperandTyped = 0;
    double dblAccumulator = 0;
    double dblOperand = 0;
    std::int16_t intPendingOp = 0;  // 1 +, 2 -, 3 *, 4 /; -1 none

    // The paste tokens and the scientific expression.
    TokenList colPaste{TokenList::Tracking::None};  // only ever read in order
    TokenList colExpr;

    // Scientific window.
    std::int16_t blnSciError = 0;
    std::int16_t blnSciNewNumber = 0;
    std::int16_t blnSciPoint = 0;
    std::int16_t intParenDepth = 0;
    std::string strRepeatOp;
    double dblLastResult = 0;
    double dblRepeatOperand = 0;
    double dblSciMemory = 0;

    double dblStdMemory = 0;
};

// Puts the standard fields in their state at window load; the memory is kept.
void ResetStandardState(Module1& m);
// Puts the scientific fields in their state at window load; the memory, the
// expression list and the controls are kept.
void ResetScientificState(Module1& m);

// What the program needs from the desktop: the alert sound and the clipboard.
class Platform {
public:
    virtual ~Platform() = default;
    virtual void Beep() = 0;
    virtual std::string ClipboardText() = 0;  // plain text; empty when it holds none
    virtual void SetClipboardText(const std::string& text) = 0;
};

// A platform with an in-memory clipboard that counts alert sounds: for the headless
// driver and the tests.
class MemoryPlatform : public Platform {
public:
    void Beep() override { ++beeps; }
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }

    long beeps = 0;
    std::string clipboard;
};

}  // namespace calc
