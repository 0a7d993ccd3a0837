#pragma once
// What a scenario can do to the calculator and read from it. The headless driver
// works on the core directly; the GUI driver clicks the real Qt windows. Both check
// the core's consistency rules after every action in the same way.
#include <string>
#include <utility>

#include "app/calculator.h"
#include "app/invariants.h"
#include "keypad/key.h"

namespace calc::script {

struct Snapshot {
    std::string display;
    std::string memory;  // the memory indicator of the open window
    std::string paren;   // scientific only
    std::string inv;     // "0"/"1" in the scientific window, "" in the standard one
    std::string hyp;
    bool locked = false;
    std::string tokens;  // the expression list in scenario notation (scientific only)
};

class Driver {
public:
    virtual ~Driver() = default;
    // A fresh program start: the standard window open, both memories 0.
    virtual void Start() = 0;
    virtual Mode CurrentMode() = 0;
    virtual void ShowMode(Mode mode) = 0;
    // Clicks the key with this caption in the open window ("Inv"/"Hyp" toggle the
    // check boxes of the scientific window). False when there is no such key.
    virtual bool Press(const std::string& caption) = 0;
    // Presses the key at this index of the open keypad's table, or no key at all for an
    // index without one.
    virtual void PressIndex(int index) = 0;
    virtual void Paste(std::string text) = 0;
    virtual void Copy() = 0;
    virtual std::string Clipboard() = 0;
    virtual long Beeps() = 0;  // alert sounds since Start
    virtual Snapshot Read() = 0;
    // The first broken consistency rule of the calculator state seen since the last
    // call ("" when none): both drivers check the core after every key and menu item.
    std::string TakeViolation() { return std::exchange(violation_, std::string()); }

protected:
    // Checks the consistency rules of the core (CheckInvariants), keeping the first one broken.
    void CheckCore(const Calculator& core) {
        if (violation_.empty()) violation_ = CheckInvariants(core);
    }

private:
    std::string violation_;
};

}  // namespace calc::script
