#include "app/calculator.h"

#include <new>

#include "engine/errors.h"
#include "keypad/keypad_table.h"
#include "paste/replay.h"

namespace calc {

Calculator::Calculator(Platform& platform) : platform_(platform), standard_(platform), scientific_(platform) {}

void Calculator::Start() {
    standard_.Reload();
    mode_ = Mode::Standard;
    if (onModeChanged) onModeChanged();
}

void Calculator::ShowMode(Mode mode) {
    if (mode == mode_) return;
    Open().Reload();  // loaded anew when shown again anyway: a huge number it shows is given back now
    if (mode == Mode::Scientific)
        scientific_.Reload();
    else
        standard_.Reload();
    mode_ = mode;
    if (onModeChanged) onModeChanged();
}

const Keypad& Calculator::Open() const {
    if (mode_ == Mode::Scientific) return scientific_;
    return standard_;
}

Keypad& Calculator::Open() {
    if (mode_ == Mode::Scientific) return scientific_;
    return standard_;
}

void Calculator::Press(Key key) { Open().Press(key); }

void Calculator::PressIndex(int index) {
    if (const std::optional<Key> key = KeyAt(mode_, index))
        Open().Press(*key);
    else
        Open().PressNoKey();
}

bool Calculator::ToggleModifier(ModifierBox box) {
    if (mode_ != Mode::Scientific) return false;
    scientific_.Toggle(box);
    return true;
}

Bearing Calculator::BearingOfPress(Key key) {
    switch (key) {
        case Key::Clear: return Bearing::Clears;
        case Key::MemoryClear:  // what it does to the memory depends on the lock the result may leave
        case Key::MemoryStore:
        case Key::MemoryAdd: return Bearing::NeedsResult;
        default: return Bearing::UndoneByClear;
    }
}

Bearing Calculator::BearingOfPressIndex(Mode mode, int index) {
    const std::optional<Key> key = KeyAt(mode, index);
    return key ? BearingOfPress(*key) : Bearing::UndoneByClear;
}

void Calculator::CopyDisplay() {
    try {
        platform_.SetClipboardText(Display());
    } catch (const std::bad_alloc&) {
        platform_.Beep();
    }
}

void Calculator::PasteClipboard() {
    if (mode_ != Mode::Scientific) return;
    scientific_.Trap([this] { PasteText(scientific_, platform_.ClipboardText()); });
}

void Calculator::ShowOutOfMemory() {
    Open().Trap([] { Raise(ErrorKind::OutOfMemory); });
}

}  // namespace calc
