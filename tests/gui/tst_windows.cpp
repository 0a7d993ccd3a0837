// The windows at work: long displays, the keyboard and focus rules, the Copy and
// Paste shortcuts, switching between the windows without the program ending, the
// modal About window, and long keys that leave the window live.
#define QTEST_QPA_MOUSE_HANDLING  // mouse clicks go through the window system, where modality applies
#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "about_dialog.h"
#include "calculator_window.h"
#include "idle.h"
#include "keypad/keypad_table.h"
#include "program.h"
#include "text_box.h"

using calc::Key;
using calc::Mode;
using namespace calc::ui;

Q_DECLARE_METATYPE(calc::Mode)
Q_DECLARE_METATYPE(calc::ui::Command)

namespace {

void DeleteRetired() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

int VisibleCalculatorWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<CalculatorWindow*>(w) && w->isVisible()) ++n;
    }
    return n;
}

QString Shown(CalculatorWindow* w) { return w->Display()->text(); }

void BothModes() {
    QTest::addColumn<Mode>("mode");
    QTest::newRow("standard") << Mode::Standard;
    QTest::newRow("scientific") << Mode::Scientific;
}

QPoint CentreInWindow(QWidget* w) { return w->mapTo(w->window(), w->rect().center()); }

// Clicks the digits of N and returns the n! button.
QPushButton* FactorialOf(CalculatorWindow* w, const char* n) {
    for (const char* c = n; *c; ++c) w->Button(*calc::KeyWithCaption(w->KeypadMode(), std::string(1, *c)))->click();
    return w->Button(Key::Factorial);
}

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void longText_data();
    void longText();
    void keyboardDoesNotType_data() { BothModes(); }
    void keyboardDoesNotType();
    void copyShortcutReachesMenu_data() { BothModes(); }
    void copyShortcutReachesMenu();
    void pasteShortcut();
    void startLoadsOnlyTheStandardWindow();
    void switchReplacesWindow_data();
    void switchReplacesWindow();
    void staysAliveAcrossSwitches();
    void about_data();
    void about();
    void longKeyKeepsOrder();
    void closeDuringLongKey_data();
    void closeDuringLongKey();

private:
    CalculatorWindow* Open(Mode mode);
    CalculatorWindow* OpenActive(Mode mode);
    std::unique_ptr<Program> program_;
};

void WindowsTest::init() {
    program_ = std::make_unique<Program>();
    program_->Start();
}

void WindowsTest::cleanup() {
    program_.reset();
    DeleteRetired();
}

CalculatorWindow* WindowsTest::Open(Mode mode) { return SwitchTo(*program_, mode); }

CalculatorWindow* WindowsTest::OpenActive(Mode mode) {
    CalculatorWindow* w = Open(mode);
    if (!w) return nullptr;
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w)) return nullptr;
    return w;
}

void WindowsTest::longText_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("right");
    QTest::newRow("40000 right") << 40000 << true;
    QTest::newRow("40000 left") << 40000 << false;
    QTest::newRow("5565709 right") << 5565709 << true;  // as many digits as 1000000! has
}

// The box keeps the whole text however long, and paints just the end that fits
// (or the start, when left-aligned).
void WindowsTest::longText() {
    QFETCH(int, length);
    QFETCH(bool, right);
    CalculatorWindow* w = Open(Mode::Standard);
    QVERIFY(w);
    TextBox* box = w->Display();
    box->setAlignment(right ? Qt::AlignRight : Qt::AlignLeft);
    QString text(length, QLatin1Char('7'));
    text[0] = QLatin1Char('1');
    text[length - 1] = QLatin1Char('9');
    box->setText(text);
    QCOMPARE(box->text().size(), length);
    QCOMPARE(box->text(), text);
    const QString shown = box->visibleText();
    QVERIFY(shown.size() < 200);
    QVERIFY(shown.size() > 10);
    QVERIFY(right ? text.endsWith(shown) : text.startsWith(shown));
    QVERIFY(QFontMetrics(box->font()).horizontalAdvance(shown) > box->width() / 2);
}

void WindowsTest::keyboardDoesNotType() {
    QFETCH(Mode, mode);
    CalculatorWindow* w = OpenActive(mode);
    QVERIFY(w);
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClicks(target, QStringLiteral("12+3=*"));
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Backspace);
    QVERIFY(program_->Idle());  // nothing was posted
    QCOMPARE(Shown(w), QStringLiteral("0"));
    QCOMPARE(program_->Desktop().Beeps(), 0);
}

// Whatever has the focus, Ctrl+C is the menu's Copy: the display never takes the
// focus, not even when clicked.
void WindowsTest::copyShortcutReachesMenu() {
    QFETCH(Mode, mode);
    CalculatorWindow* w = OpenActive(mode);
    QVERIFY(w);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, CentreInWindow(w->Button(Key::Digit4)));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, CentreInWindow(w->Button(Key::Point)));
    WaitUntilIdle(*program_);
    QCOMPARE(Shown(w), QStringLiteral("4."));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, CentreInWindow(w->Display()));
    QVERIFY(QApplication::focusWidget() != w->Display());
    QGuiApplication::clipboard()->setText(QStringLiteral("stale"));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    WaitUntilIdle(*program_);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4."));
}

void WindowsTest::pasteShortcut() {
    CalculatorWindow* w = OpenActive(Mode::Scientific);
    QVERIFY(w);
    QGuiApplication::clipboard()->setText(QStringLiteral("2+3*4="));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    WaitUntilIdle(*program_);
    QCOMPARE(Shown(w), QStringLiteral("14"));
}

// Nothing of the scientific or About window exists until it is asked for.
void WindowsTest::startLoadsOnlyTheStandardWindow() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName().endsWith(QLatin1String("Window"))) names.append(w->objectName());
    }
    QCOMPARE(names, QStringList{"standardWindow"});
    QCOMPARE(program_->Core().CurrentMode(), Mode::Standard);
    QVERIFY(program_->Window()->isVisible());
}

void WindowsTest::switchReplacesWindow_data() {
    QTest::addColumn<Mode>("from");
    QTest::addColumn<Command>("item");
    QTest::addColumn<Mode>("to");
    QTest::newRow("standard to scientific") << Mode::Standard << Command::ShowScientific << Mode::Scientific;
    QTest::newRow("scientific to standard") << Mode::Scientific << Command::ShowStandard << Mode::Standard;
}

// The View item unloads its window and loads the other one anew, with fresh
// controls; the memories stay in the core.
void WindowsTest::switchReplacesWindow() {
    QFETCH(Mode, from);
    QFETCH(Command, item);
    QFETCH(Mode, to);
    CalculatorWindow* old = Open(from);
    QVERIFY(old && old->KeypadMode() == from);
    old->Button(Key::Digit5)->click();
    old->Button(Key::MemoryStore)->click();
    WaitUntilIdle(*program_);
    QCOMPARE(old->MemoryIndicator()->text(), QStringLiteral("M"));
    QPointer<CalculatorWindow> oldPtr = old;
    old->Action(item)->trigger();
    WaitUntilIdle(*program_);
    CalculatorWindow* now = program_->Window();
    QVERIFY(now && now != old);
    QCOMPARE(now->KeypadMode(), to);
    QVERIFY(now->isVisible());
    QVERIFY(!old->isVisible());
    QCOMPARE(VisibleCalculatorWindows(), 1);
    DeleteRetired();
    QVERIFY(oldPtr.isNull());
    QCOMPARE(Shown(now), QStringLiteral("0"));
    QCOMPARE(now->MemoryIndicator()->text(), QString());
}

// With the user at the menus: switch, switch back, and the program is still
// running; it ends when the open window is closed, and only then.
void WindowsTest::staysAliveAcrossSwitches() {
    bool quit = false;
    bool closedLast = false;
    QList<std::function<void()>> steps{
        [&] { program_->Window()->Action(Command::ShowScientific)->trigger(); },
        [&] { QCOMPARE(program_->Window()->KeypadMode(), Mode::Scientific); },
        [&] { program_->Window()->Action(Command::ShowStandard)->trigger(); },
        [&] { QCOMPARE(program_->Window()->KeypadMode(), Mode::Standard); },
        [&] { program_->Window()->Action(Command::ShowScientific)->trigger(); },
        [&] {
            QCOMPARE(VisibleCalculatorWindows(), 1);
            closedLast = true;
            program_->Window()->close();
        },
    };
    int step = 0;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&] {
        if (!program_->Idle()) return;  // the last step's switch is still on its way
        if (step < steps.size())
            steps[step++]();
        else
            QCoreApplication::exit(2);  // should have ended already
    });
    connect(qApp, &QCoreApplication::aboutToQuit, &timer, [&] { quit = true; });  // ends with this test
    timer.start();
    const int rc = QCoreApplication::exec();
    timer.stop();
    QCOMPARE(rc, 0);
    QVERIFY(quit);
    QVERIFY(closedLast);
    QCOMPARE(step, steps.size());
}

void WindowsTest::about_data() {
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("byButton");
    QTest::newRow("standard, 确定") << Mode::Standard << true;
    QTest::newRow("standard, close box") << Mode::Standard << false;
    QTest::newRow("scientific, 确定") << Mode::Scientific << true;
    QTest::newRow("scientific, close box") << Mode::Scientific << false;
}

// Help > About opens the About window modally over the calculator window: the
// keypad takes no clicks until it is closed, and then the same window goes on.
void WindowsTest::about() {
    QFETCH(Mode, mode);
    QFETCH(bool, byButton);
    CalculatorWindow* w = OpenActive(mode);
    QVERIFY(w);
    const QPoint sevenAt = CentreInWindow(w->Button(Key::Digit7));

    bool seen = false;
    QString failure;
    QTimer::singleShot(0, this, [&] {
        auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (!about) {
            failure = QStringLiteral("no modal About window");
            return;
        }
        seen = about->isVisible() && about->objectName() == QLatin1String("aboutWindow");
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, sevenAt);
        if (!program_->Idle()) failure = QStringLiteral("a key took a click behind the About window");
        if (byButton) {
            auto* ok = about->findChild<QPushButton*>(QStringLiteral("ok"));
            if (ok)
                ok->click();
            else
                failure = QStringLiteral("no 确定 button");
        } else {
            about->close();  // what the close box does
        }
    });
    w->Action(Command::About)->trigger();  // returns when the About window closes
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(seen);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(program_->Window(), w);
    QVERIFY(w->isVisible());
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, sevenAt);
    WaitUntilIdle(*program_);
    QCOMPARE(Shown(w), QStringLiteral("7"));
}

// n! of 10000000 runs off the GUI thread: the window stays live (a timer fires, the busy
// cursor shows), and the Copy and keys given meanwhile follow it, in order.
void WindowsTest::longKeyKeepsOrder() {
    CalculatorWindow* w = Open(Mode::Scientific);
    QVERIFY(w);
    FactorialOf(w, "10000000")->click();
    w->Action(Command::Copy)->trigger();
    w->Button(Key::Clear)->click();
    w->Button(Key::Digit5)->click();
    bool busyCursor = false;
    QTimer::singleShot(300, w, [&] {
        busyCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    WaitUntilIdle(*program_);
    QVERIFY(busyCursor);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(Shown(w), QStringLiteral("5"));
    const QString copied = QGuiApplication::clipboard()->text();
    QCOMPARE(copied.size(), 65657060);
    QVERIFY(copied.startsWith(QLatin1String("12024234005159034561")));
}

void WindowsTest::closeDuringLongKey_data() {
    QTest::addColumn<bool>("paste");
    QTest::newRow("n! of 10000000") << false;
    QTest::newRow("30 MB paste") << true;
}

// Closing the window during a long key ends the program at once: the work stops, and
// the program is gone within 200 ms.
void WindowsTest::closeDuringLongKey() {
    QFETCH(bool, paste);
    CalculatorWindow* w = Open(Mode::Scientific);
    QVERIFY(w);
    if (paste) {
        QGuiApplication::clipboard()->setText(QStringLiteral("1+").repeated(15'000'000));
        w->Action(Command::Paste)->trigger();
    } else {
        FactorialOf(w, "10000000")->click();
    }
    QElapsedTimer sinceClose;
    bool busyAtClose = false;
    QTimer::singleShot(1000, w, [&] {
        busyAtClose = !program_->Idle();
        sinceClose.start();
        w->close();
    });
    QCOMPARE(QCoreApplication::exec(), 0);
    program_.reset();
    DeleteRetired();
    QVERIFY(busyAtClose);
    qInfo("ended %lld ms after the close", sinceClose.elapsed());
    QVERIFY2(sinceClose.elapsed() < 200, qPrintable(QString::number(sinceClose.elapsed()) + " ms"));
}

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
