#include "shell.h"

#include "about_dialog.h"
#include "calculator_window.h"
#include "window_system.h"

namespace calc::ui {

Shell::Shell(Calculator& calculator, CoreWorker& worker, QObject* parent)
    : QObject(parent), calculator_(calculator), worker_(worker) {
    calculator_.onModeChanged = [this] { OnModeChanged(); };
}

Shell::~Shell() {
    calculator_.onModeChanged = nullptr;
    delete window_.data();
}

void Shell::OnModeChanged() {
    // The new window takes the place of the one it replaces; the first one is centred.
    std::optional<QPoint> at;
    if (window_) {
        at = window_->pos();
        window_->Retire();
    }
    auto* window = new CalculatorWindow(calculator_, worker_, calculator_.CurrentMode());
    window_ = window;
    connect(window, &CalculatorWindow::AboutRequested, this, &Shell::ShowAbout);
    connect(window, &CalculatorWindow::ClosedByUser, this, &Shell::QuitRequested);
    PlaceAndShow(window, at);
}

void Shell::ShowAbout() {
    // A child of the window that asked for it: modal to that window only, kept above it. On the
    // heap, as its parent may be deleted first when the program ends while it is open.
    QPointer<AboutDialog> about = new AboutDialog(window_);
    about->exec();
    delete about.data();
}

}  // namespace calc::ui
