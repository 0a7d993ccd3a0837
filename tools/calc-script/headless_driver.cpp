#include "headless_driver.h"

#include "app/invariants.h"
#include "format.h"
#include "keypad/keypad_table.h"

namespace calc::script {

void HeadlessDriver::Start() {
    calculator_.reset();
    platform_ = std::make_unique<MemoryPlatform>();
    calculator_ = std::make_unique<Calculator>(*platform_);
    calculator_->Start();
}

void HeadlessDriver::Check() {
    if (!violation_.empty()) return;
    violation_ = CheckInvariants(*calculator_);
}

std::string HeadlessDriver::TakeViolation() {
    std::string v = std::move(violation_);
    violation_.clear();
    return v;
}

void HeadlessDriver::ShowMode(Mode mode) {
    calculator_->ShowMode(mode);
    Check();
}

bool HeadlessDriver::Press(const std::string& caption) {
    if (caption == "Inv" && calculator_->ToggleModifier(ModifierBox::Inverse)) return true;
    if (caption == "Hyp" && calculator_->ToggleModifier(ModifierBox::Hyperbolic)) return true;
    const std::optional<Key> key = KeyWithCaption(calculator_->CurrentMode(), caption);
    if (!key) return false;
    calculator_->Press(*key);
    Check();
    return true;
}

void HeadlessDriver::PressIndex(int index) {
    calculator_->PressIndex(index);
    Check();
}

void HeadlessDriver::Paste(std::string text) {
    platform_->clipboard = std::move(text);
    calculator_->PasteClipboard();
    Check();
}

void HeadlessDriver::Copy() {
    calculator_->CopyDisplay();
    Check();
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
