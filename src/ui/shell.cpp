#include "shell.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include "about_dialog.h"
#include "calculator_window.h"

namespace calc::ui {

namespace {

void CentreOnScreen(QWidget* w) {
    if (w->layout()) w->layout()->activate();
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const QSize size = w->frameGeometry().size();
    w->move(avail.left() + (avail.width() - size.width()) / 2, avail.top() + (avail.height() - size.height()) / 2);
}

}  // namespace

Shell::Shell(CalculatorThread& calculator, QObject* parent) : QObject(parent), calculator_(calculator) {
    connect(&calculator_, &CalculatorThread::ViewChanged, this, &Shell::Show);
}

Shell::~Shell() { delete window_.data(); }

void Shell::Show(const WindowView& view) {
    if (!view.newWindow && window_) return window_->Show(view);
    if (window_) window_->Retire();
    auto* window = new CalculatorWindow(calculator_, view.mode);
    window_ = window;
    connect(window, &CalculatorWindow::AboutRequested, this, &Shell::ShowAbout);
    connect(window, &CalculatorWindow::ClosedByUser, this, &Shell::QuitRequested);
    window->Show(view);
    CentreOnScreen(window);
    window->show();
    // Once shown, the window frame may be known: centre the frame, not the client.
    if (window->frameGeometry().size() != window->size()) CentreOnScreen(window);
}

void Shell::ShowAbout() {
    AboutDialog about;
    about.exec();
}

}  // namespace calc::ui
