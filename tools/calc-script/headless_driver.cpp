#include "headless_driver.h"

#include "format.h"
#include "keypad/keypad_table.h"

namespace calc::script {

void HeadlessDriver::Start() {
    calculator_.reset();
    platform_ = std::make_unique<MemoryPlatform>();
    calculator_ = std::make_unique<Calculator>(*platform_);
    calculator_->Start();
}

void HeadlessDriver::ShowMode(Mode mode) {
    calculator_->ShowMode(mode);
    CheckCore(*calculator_);
}

bool HeadlessDriver::Press(const std::string& caption) {
    const bool inverse = caption == "Inv", hyperbolic = caption == "Hyp";
    if ((inverse || hyperbolic) &&
        calculator_->ToggleModifier(inverse ? ModifierBox::Inverse : ModifierBox::Hyperbolic)) {
        CheckCore(*calculator_);
        return true;
    }
    const std::optional<Key> key = KeyWithCaption(calculator_->CurrentMode(), caption);
    if (!key) return false;
    calculator_->Press(*key);
    CheckCore(*calculator_);
    return true;
}

void HeadlessDriver::PressIndex(int index) {
    calculator_->PressIndex(index);
    CheckCore(*calculator_);
}

void HeadlessDriver::Paste(std::string text) {
    platform_->clipboard = std::move(text);
    calculator_->PasteClipboard();
    CheckCore(*calculator_);
}

void HeadlessDriver::Copy() {
    calculator_->CopyDisplay();
    CheckCore(*calculator_);
}

Snapshot HeadlessDriver::Read() { return ReadCore(*calculator_); }

Snapshot ReadCore(const Calculator& calculator) {
    Snapshot s;
    s.display = calculator.Display();
    s.locked = calculator.Locked();
    s.memory = calculator.MemoryIndicator();
    if (calculator.CurrentMode() == Mode::Scientific) {
        const ScientificKeypad& sci = calculator.Scientific();
        s.paren = sci.ParenIndicator();
        s.inv = sci.Inverse() ? "1" : "0";
        s.hyp = sci.Hyperbolic() ? "1" : "0";
        s.tokens = FormatTokens(sci.Expression());
    }
    return s;
}

}  // namespace calc::script
