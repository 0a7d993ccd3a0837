#pragma once
// A click only posts its action to the calculator thread: what it did is on screen once
// the thread is idle.
#include <QAction>
#include <QCoreApplication>

#include "calculator_window.h"
#include "program.h"

namespace calc::ui {

inline void WaitUntilIdle(const Program& program) {
    while (!program.Idle()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// The window of `mode`, through the View menu as the user gets it; the old window deleted.
inline CalculatorWindow* SwitchTo(Program& program, Mode mode) {
    CalculatorWindow* w = program.Window();
    if (w && w->KeypadMode() != mode)
        w->Action(mode == Mode::Scientific ? Command::ShowScientific : Command::ShowStandard)->trigger();
    WaitUntilIdle(program);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return program.Window();
}

}  // namespace calc::ui
