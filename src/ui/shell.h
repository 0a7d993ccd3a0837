#pragma once
// Ties the calculator thread to its Qt windows: each view it sends is shown in the open
// window; a view of a keypad loaded anew (program start, a switch of window) hides and
// discards the old window and builds and shows a new one in its place (the first one
// centred), all in the same call, so the program never passes through an event loop with
// no window. The About window is opened from here, modal to the calculator window. Closing
// the open calculator window asks the program to end.
#include <QObject>
#include <QPointer>

#include "calculator_thread.h"
#include "calculator_window.h"
#include "window_view.h"

namespace calc::ui {

class Shell : public QObject {
    Q_OBJECT
public:
    explicit Shell(CalculatorThread& calculator, QObject* parent = nullptr);
    ~Shell() override;

    // The open calculator window (nullptr before the calculator's Start()).
    CalculatorWindow* Window() const { return window_; }

    // Help > About: the About window, modal to the open window, until "确定" or its close box.
    void ShowAbout();

signals:
    // The user closed the open calculator window: the program should end.
    void QuitRequested();

private:
    void Show(const WindowView& view);

    CalculatorThread& calculator_;
    QPointer<CalculatorWindow> window_;
};

}  // namespace calc::ui
