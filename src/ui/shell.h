#pragma once
// Ties the core calculator to its Qt windows: whenever the core switches keypads,
// the Qt window that showed the old one is hidden and discarded
// and a new one is built and shown in its place (the first one centred), all in the same
// call, so the program never passes through an event loop with no window. The About
// window is opened from here, modal to the calculator window. Closing the open calculator window asks the program to
// end.
#include <QObject>
#include <QPointer>

#include "app/calculator.h"
#include "calculator_window.h"
#include "core_worker.h"

namespace calc::ui {

class Shell : public QObject {
    Q_OBJECT
public:
    Shell(Calculator& calculator, CoreWorker& worker, QObject* parent = nullptr);
    ~Shell() override;

    // The open calculator window (nullptr before the core's Start()).
    CalculatorWindow* Window() const { return window_; }

    // Help > About: the About window, modal to the open window, until "确定" or its close box.
    void ShowAbout();

signals:
    // The user closed the open calculator window: the program should end.
    void QuitRequested();

private:
    void OnModeChanged();

    Calculator& calculator_;
    CoreWorker& worker_;
    QPointer<CalculatorWindow> window_;
};

}  // namespace calc::ui
