#include "headless_driver.h"

#include "app/invariants.h"
#include "format.h"

namespace calc::script {

void HeadlessDriver::Start() {
    app_.reset();
    platform_ = std::make_unique<MemoryPlatform>();
    app_ = std::make_unique<Application>(*platform_);
    app_->Main();
}

void HeadlessDriver::Check() {
    if (!violation_.empty()) return;
    violation_ = CheckInvariants(*app_);
}

std::string HeadlessDriver::TakeViolation() {
    std::string v = std::move(violation_);
    violation_.clear();
    return v;
}

void HeadlessDriver::ShowWindow(WindowKind window) {
    app_->ShowWindow(window);
    Check();
}

bool HeadlessDriver::Press(const std::string& caption) {
    if (ScientificWindow* sci = app_->Form2()) {
        if (caption == "Inv") {
            sci->SetCheck1(sci->Check1() ? 0 : 1);
            return true;
        }
        if (caption == "Hyp") {
            sci->SetCheck2(sci->Check2() ? 0 : 1);
            return true;
        }
    }
    const int index = FindKey(app_->Current(), caption);
    if (index < 0) return false;
    Click(index);
    return true;
}

void HeadlessDriver::Click(int index) {
    app_->Click(index);
    Check();
}

void HeadlessDriver::Paste(const std::string& text) {
    platform_->clipboard = text;
    app_->mnuPaste_Click();
    Check();
}

void HeadlessDriver::Copy() {
    app_->mnuCopy_Click();
    Check();
}

Snapshot HeadlessDriver::Read() { return ReadCore(*app_); }

Snapshot ReadCore(Application& app) {
    Snapshot s;
    s.display = app.Display();
    s.locked = app.Locked();
    if (ScientificWindow* sci = app.Form2()) {
        s.memory = sci->Text3();
        s.paren = sci->Text2();
        s.inv = std::to_string(sci->Check1());
        s.hyp = std::to_string(sci->Check2());
        s.tokens = FormatTokens(app.store().colExpr);
    } else if (StandardWindow* std = app.Form1()) {
        s.memory = std->Text2();
    }
    return s;
}

}  // namespace calc::script
