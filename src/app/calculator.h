#pragma once
// The calculator: owns both keypads, knows which one the open window shows, switches
// between them and carries out the Edit menu. The Qt program and the headless driver
// both drive the calculator through it.
#include <functional>
#include <string>

#include "keypad/platform.h"
#include "keypad/scientific_keypad.h"
#include "keypad/standard_keypad.h"

namespace calc {

// How an action bears on the result of the work carried out before it. A driver that queues
// actions behind long work (a huge factorial, a huge paste) may abandon that work when an
// action that Clears waits behind it with nothing between that NeedsResult: the state is then
// the same as had the work finished.
enum class Bearing {
    NeedsResult,    // depends on that result and leaves what a C keeps: MC, MS, M+, Copy, any other
    UndoneByClear,  // a C undoes all it does: the other keys, a paste, naming the open mode
    Clears,         // C; the switch to the other keypad (this one is loaded anew when shown again)
};

class Calculator {
public:
    explicit Calculator(Platform& platform);

    // Program start: the standard keypad, freshly loaded.
    void Start();

    Mode CurrentMode() const { return mode_; }
    // View menu: the keypad of the other mode is loaded anew (its memory kept) and
    // shown; the one left is loaded anew at once, so that a huge number it held is given
    // back. Naming the open mode changes nothing.
    void ShowMode(Mode mode);

    StandardKeypad& Standard() { return standard_; }
    ScientificKeypad& Scientific() { return scientific_; }
    const StandardKeypad& Standard() const { return standard_; }
    const ScientificKeypad& Scientific() const { return scientific_; }

    // A key of the open keypad.
    void Press(Key key);
    // The key at an index of the open keypad's table (a scenario's `click N`); an index
    // without a key only sounds the alert when the keypad is locked.
    void PressIndex(int index);

    // A click on a modifier box of the scientific keypad ticks or clears it; false (and
    // nothing done) while the standard keypad is open.
    bool ToggleModifier(ModifierBox box);

    // The bearing of Press(key), PressIndex(index) in `mode`, ShowMode(mode) in `open`,
    // PasteClipboard() and ToggleModifier() on the work before them (Copy and anything else:
    // Bearing::NeedsResult).
    static Bearing BearingOfPress(Key key);
    static Bearing BearingOfPressIndex(Mode mode, int index);
    static Bearing BearingOfShowMode(Mode open, Mode mode) {
        return open == mode ? Bearing::UndoneByClear : Bearing::Clears;
    }
    static constexpr Bearing kPasteBearing = Bearing::UndoneByClear;           // it presses no memory key
    static constexpr Bearing kToggleModifierBearing = Bearing::UndoneByClear;  // C clears both boxes

    // Edit > Copy: the display text to the clipboard, whatever it holds. With no memory left for the
    // copy the clipboard stays as it was and the alert sounds.
    void CopyDisplay();
    // Edit > Paste (scientific keypad only): the clipboard text replayed as keys. A text too large to
    // read ends the paste as a key that runs out of memory does.
    void PasteClipboard();
    // What the open keypad shows could not be shown for want of memory: it shows that error instead.
    void ShowOutOfMemory();

    const std::string& Display() const { return Open().Display(); }
    bool Locked() const { return Open().Locked(); }
    const std::string& MemoryIndicator() const { return Open().MemoryIndicator(); }

    // Called after the open keypad changed (for a view that builds its widgets).
    std::function<void()> onModeChanged;

private:
    const Keypad& Open() const;
    Keypad& Open();

    Platform& platform_;
    StandardKeypad standard_;
    ScientificKeypad scientific_;
    Mode mode_ = Mode::Standard;
};

}  // namespace calc
