// The window system (offscreen, Wayland, X11): fixed sizes through a maximize request, About as a
// child of its window, modal to it alone, that never leaves it waiting; the place kept across a switch, the close.
#define QTEST_QPA_MOUSE_HANDLING  // clicks go through the window system, where modality applies
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "idle.h"
#include "text_box.h"

using calc::Key;
using calc::Mode;
using namespace calc::ui;

namespace {

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

}  // namespace

class DesktopTest : public QObject, ProgramFixture {
    Q_OBJECT

private slots:
    void init() {
        StartProgram();
        QVERIFY(Open(Mode::Standard));
    }
    void cleanup() { EndProgram(); }
    void maximizeKeepsSize_data() { BothModes(); }
    // No maximize button is asked for, and a maximize request leaves the window at its size, alive,
    // with what it showed (on Wayland the compositor would end a client that ignored its configured size).
    void maximizeKeepsSize() {
        QFETCH(Mode, mode);
        CalculatorWindow* w = Open(mode);
        QVERIFY(w && !(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        w->Button(Key::Digit7)->click();
        const QSize size = w->size();
        w->showMaximized();
        QTest::qWait(300);
        w->Button(Key::Digit8)->setFocus(Qt::TabFocusReason);  // repaints: what a protocol error needs to show
        w->Button(Key::Digit5)->click();
        // Until the compositor has answered, the window may follow its size (and be unfixed meanwhile).
        auto settled = [&] {
            return w->size() == size && w->minimumSize() == size && w->maximumSize() == size &&
                   !(w->windowHandle()->windowStates() & Qt::WindowMaximized);
        };
        QTRY_VERIFY(settled());
        QTest::qWait(300);
        QVERIFY(settled());
        WaitUntilIdle(*program_);
        QCOMPARE(w->Display()->text(), QStringLiteral("75"));
    }

    // The first window is centred; the next one opens where the last one was.
    void switchKeepsPlace() {
        CalculatorWindow* w = program_->Window();
        const QRect frame = w->frameGeometry(), avail = w->screen()->availableGeometry();
        const QPoint at = avail.topLeft() + QPoint(37, 41);
        if (!OnWayland()) {  // where the compositor places windows, a program cannot
            QVERIFY(qAbs((frame.left() - avail.left()) - (avail.right() - frame.right())) <= 1);
            QVERIFY(qAbs((frame.top() - avail.top()) - (avail.bottom() - frame.bottom())) <= 1);
            w->move(at);
        }
        for (Mode mode : {Mode::Scientific, Mode::Standard}) {
            w = Open(mode);
            QVERIFY(w && w->isVisible());
            if (!OnWayland()) QCOMPARE(w->pos(), at);
        }
    }

    void about_data() {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<int>("closeBy");  // 确定, the close box, Escape
        QTest::newRow("standard, 确定") << Mode::Standard << 0;
        QTest::newRow("scientific, close box") << Mode::Scientific << 1;
        QTest::newRow("standard, Escape") << Mode::Standard << 2;
    }

    // Help > About: a child of the window that opened it, modal to that window only, above it. The keypad takes
    // no click until About is closed, then the same window goes on.
    void about() {
        QFETCH(Mode, mode);
        QFETCH(int, closeBy);
        CalculatorWindow* w = Open(mode);
        QVERIFY(w);
        const QPoint sevenAt = CentreInWindow(w->Button(Key::Digit7));
        bool checked = false;
        WithAbout(w, [&](AboutDialog* about) {
            QCOMPARE(QApplication::activeModalWidget(), about);
            QCOMPARE(about->parentWidget(), w);
            QCOMPARE(about->windowModality(), Qt::WindowModal);
            QCOMPARE(about->windowHandle()->transientParent(), w->windowHandle());
            QVERIFY(!(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, sevenAt);
            QVERIFY2(program_->Idle(), "a key took a click behind the About window");
            auto* ok = about->findChild<QPushButton*>(QStringLiteral("ok"));
            QVERIFY(ok);
            if (closeBy == 0) ok->click();
            if (closeBy == 1) about->close();  // what the close box does
            if (closeBy == 2) QTest::keyClick(about, Qt::Key_Escape);
            checked = true;
        });
        QVERIFY(checked && !QApplication::activeModalWidget() && w->isVisible());
        QCOMPARE(program_->Window(), w);
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, sevenAt);
        WaitUntilIdle(*program_);
        QCOMPARE(w->Display()->text(), QStringLiteral("7"));
    }

    // A minimized About window closes: its calculator window takes clicks again. A maximize request
    // leaves it at its size.
    void minimizedAboutReleasesWindow() {
        CalculatorWindow* w = program_->Window();
        const QPoint sevenAt = CentreInWindow(w->Button(Key::Digit7));
        WithAbout(w, [&](AboutDialog* about) {
            const QSize size = about->size();
            about->showMaximized();
            QTest::qWait(300);
            QTRY_VERIFY(about->size() == size && about->minimumSize() == size);
            about->showMinimized();
            QTRY_VERIFY_WITH_TIMEOUT(!about->isVisible(), 1000);
        });
        QVERIFY(!w->findChild<AboutDialog*>());
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, sevenAt);
        WaitUntilIdle(*program_);
        QCOMPARE(w->Display()->text(), QStringLiteral("7"));
    }

    void closeEndsProgram() {
        QTimer::singleShot(0, program_->Window(), &QWidget::close);
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
