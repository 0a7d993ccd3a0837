#pragma once
// What every Qt suite shares: a program of its own per test case, its windows opened through the
// View menu as the user gets them, the wait for the calculator thread (a click only posts its
// action: what it did is on screen once the thread is idle), and the contrast of two colours.
#include <QAction>
#include <QCoreApplication>
#include <QTimer>
#include <QtTest>
#include <cmath>
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

// The contrast of two colours as WCAG measures it, from 1 to 21.
inline double Contrast(QRgb a, QRgb b) {
    auto luminance = [](QRgb c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// Along the middle of each side of `r` in `shot`, inwards over `depth` pixels: the widest run of pixels at 3:1 or
// more against the same pixel of `before`, or when there is none against the pixel just outside that side. The
// narrowest of the four.
inline int EdgeRun(const QImage& shot, const QRect& r, int depth, const QImage* before = nullptr) {
    const QPoint mid = r.center();
    int narrowest = depth;
    for (auto [start, step] : {std::pair{QPoint(r.left(), mid.y()), QPoint(1, 0)},
                               {{r.right(), mid.y()}, {-1, 0}},
                               {{mid.x(), r.top()}, {0, 1}},
                               {{mid.x(), r.bottom()}, {0, -1}}}) {
        int run = 0, widest = 0;
        for (int i = 0; i < depth; ++i) {
            const QRgb against = before ? before->pixel(start + i * step) : shot.pixel(start - step);
            run = Contrast(against, shot.pixel(start + i * step)) >= 3 ? run + 1 : 0;
            widest = qMax(widest, run);
        }
        narrowest = qMin(narrowest, widest);
    }
    return narrowest;
}

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
