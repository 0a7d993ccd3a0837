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

Shell::Shell(Application& app, QObject* parent) : QObject(parent), app_(app) {
    app_.onWindowChanged = [this] { OnWindowChanged(); };
}

Shell::~Shell() {
    app_.onWindowChanged = nullptr;
    delete window_.data();
}

void Shell::OnWindowChanged() {
    if (window_) window_->Retire();
    auto* window = new CalculatorWindow(app_, app_.Current());
    window_ = window;
    connect(window, &CalculatorWindow::aboutRequested, this, &Shell::ShowAbout);
    connect(window, &CalculatorWindow::closedByUser, this, &Shell::quitRequested);
    CentreOnScreen(window);
    window->show();
    // Once shown, the window frame may be known: centre the frame, not the client.
    if (window->frameGeometry().size() != window->size()) CentreOnScreen(window);
    emit windowShown(window);
}

void Shell::ShowAbout() {
    AboutDialog about;
    about.exec();
}

}  // namespace calc::ui
