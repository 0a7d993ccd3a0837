#include "shell.h"

#include "about_dialog.h"
#include "calculator_window.h"
#include "keyboard_focus.h"
#include "window_system.h"

namespace calc::ui {

Shell::Shell(CalculatorThread& calculator, QObject* parent) : QObject(parent), calculator_(calculator) {
    connect(&calculator_, &CalculatorThread::ViewChanged, this, &Shell::Show);
}

Shell::~Shell() { delete window_.data(); }

void Shell::Show(const WindowView& view) {
    if (!view.newWindow && window_) return window_->Show(view);
    // The new window takes the place of the one it replaces; the first one is centred.
    std::optional<QPoint> at;
    if (window_) {
        at = window_->pos();
        window_->Retire();
    }
    auto* window = new CalculatorWindow(calculator_, view.mode);
    window_ = window;
    connect(window, &CalculatorWindow::AboutRequested, this, &Shell::ShowAbout);
    connect(window, &CalculatorWindow::ClosedByUser, this, &Shell::QuitRequested);
    window->Show(view);
    PlaceAndShow(window, at);
}

void Shell::ShowAbout() {
    // A child of the window that asked for it: modal to that window only, kept above it. On the
    // heap, as its parent may be deleted first when the program ends while it is open.
    const QPointer<CalculatorWindow> owner = window_;
    QPointer<AboutDialog> about = new AboutDialog(owner);
    about->exec();
    delete about.data();
    if (owner) ReturnKeyboardFocus(owner);
}

}  // namespace calc::ui
