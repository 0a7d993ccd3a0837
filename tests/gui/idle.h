#pragma once
// What every Qt suite shares: a program of its own per test case, its windows opened through the
// View menu as the user gets them, and the wait for the calculator thread (a click only posts its
// action: what it did is on screen once the thread is idle).
#include <QAction>
#include <QCoreApplication>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "about_dialog.h"
#include "calculator_window.h"
#include "program.h"

Q_DECLARE_METATYPE(calc::Mode)

namespace calc::ui {

inline void WaitUntilIdle(const Program& program) {
    while (!program.Idle()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

inline void DeleteRetired() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

inline QPoint CentreInWindow(QWidget* w) { return w->mapTo(w->window(), w->rect().center()); }

// Runs `during` once the About window of `w` is open, then closes it if `during` did not.
inline void WithAbout(CalculatorWindow* w, const std::function<void(AboutDialog*)>& during) {
    QTimer::singleShot(0, w, [&] {
        auto* about = w->findChild<AboutDialog*>();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        during(about);
        QTimer::singleShot(3000, about, &QDialog::reject);  // a test that failed leaves no dialog behind
    });
    w->Action(Command::About)->trigger();  // returns when the About window closes
}

// The data rows of a case that runs in both windows.
inline void BothModes() {
    QTest::addColumn<Mode>("mode");
    QTest::newRow("standard") << Mode::Standard;
    QTest::newRow("scientific") << Mode::Scientific;
}

class ProgramFixture {
protected:
    void StartProgram() {
        program_ = std::make_unique<Program>();
        program_->Start();
    }
    void EndProgram() {
        program_.reset();
        DeleteRetired();
    }
    // The window of `mode`, shown, the old one deleted; null if that failed.
    CalculatorWindow* Open(Mode mode) {
        CalculatorWindow* w = program_->Window();
        if (w && w->KeypadMode() != mode)
            w->Action(mode == Mode::Scientific ? Command::ShowScientific : Command::ShowStandard)->trigger();
        WaitUntilIdle(*program_);
        DeleteRetired();
        w = program_->Window();
        return w && w->KeypadMode() == mode && QTest::qWaitForWindowExposed(w) ? w : nullptr;
    }
    // The same, and active: keys typed go to it.
    CalculatorWindow* OpenActive(Mode mode) {
        CalculatorWindow* w = Open(mode);
        if (w) w->activateWindow();
        return w && QTest::qWaitForWindowActive(w) ? w : nullptr;
    }
    std::unique_ptr<Program> program_;
};

}  // namespace calc::ui
