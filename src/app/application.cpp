#include "app/application.h"

#include "paste/replay.h"

namespace calc {

Application::Application(Platform& platform) : platform_(platform) {}

void Application::Main() {
    ClearCollection(store_.colExpr);
    ClearCollection(store_.colPaste);
    form2_.reset();
    form1_ = std::make_unique<StandardWindow>(store_, platform_);
    current_ = WindowKind::Standard;
    if (onWindowChanged) onWindowChanged();
}

void Application::mnuScience_Click() {
    form1_.reset();
    form2_ = std::make_unique<ScientificWindow>(store_, platform_);
    current_ = WindowKind::Scientific;
    if (onWindowChanged) onWindowChanged();
}

void Application::mnuStandard_Click() {
    form2_.reset();
    form1_ = std::make_unique<StandardWindow>(store_, platform_);
    current_ = WindowKind::Standard;
    if (onWindowChanged) onWindowChanged();
}

void Application::ShowWindow(WindowKind window) {
    if (window == current_) return;
    if (window == WindowKind::Scientific) mnuScience_Click();
    else mnuStandard_Click();
}

void Application::mnuCopy_Click() { platform_.SetClipboardText(Display()); }

void Application::mnuPaste_Click() {
    if (!form2_) return;
    const std::string text = platform_.ClipboardText();
    PasteExpression(*form2_, text);
}

void Application::Click(int index) {
    if (form2_) form2_->Command1_Click(index);
    else if (form1_) form1_->Command1_Click(index);
}

const std::string& Application::Display() const {
    static const std::string kNone;
    if (form2_) return form2_->Text1();
    if (form1_) return form1_->Text1();
    return kNone;
}

bool Application::Locked() const {
    if (form2_) return form2_->Locked();
    if (form1_) return form1_->Locked();
    return false;
}

}  // namespace calc
