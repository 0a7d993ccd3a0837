// The windows at work: long displays, keyboard and focus rules, the Copy and Paste shortcuts, switching windows, and
// long keys that leave the window live.
#define QTEST_QPA_MOUSE_HANDLING  // mouse clicks go through the window system, where modality applies
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPointer>
#include <QPushButton>

#include "idle.h"
#include "keypad/keypad_table.h"
#include "text_box.h"

using calc::Key;
using calc::Mode;
using namespace calc::ui;

namespace {

int VisibleCalculatorWindows() {
    const QWidgetList all = QApplication::topLevelWidgets();
    return int(std::count_if(all.begin(), all.end(),
                             [](QWidget* w) { return qobject_cast<CalculatorWindow*>(w) && w->isVisible(); }));
}

QString Shown(CalculatorWindow* w) { return w->Display()->text(); }

// Whatever has the focus takes typed keys (the window when nothing has).
QWidget* Target(QWidget* w) { return QApplication::focusWidget() ? QApplication::focusWidget() : w; }

// Clicks the digits of N and returns the n! button.
QPushButton* FactorialOf(CalculatorWindow* w, const char* n) {
    for (const char* c = n; *c; ++c) w->Button(*calc::KeyWithCaption(w->KeypadMode(), std::string(1, *c)))->click();
    return w->Button(Key::Factorial);
}

}  // namespace

class WindowsTest : public QObject, ProgramFixture {
    Q_OBJECT

private slots:
    void init() { StartProgram(); }
    void cleanup() { EndProgram(); }

    void longText_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("right");
        QTest::newRow("40000 left") << 40000 << false;
        QTest::newRow("5565709 right") << 5565709 << true;  // as many digits as 1000000! has
    }

    // The box keeps the whole text however long, and paints just the end that fits (or the start, when left-aligned).
    void longText() {
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
        QCOMPARE(box->text(), text);
        const QString shown = box->visibleText();
        QVERIFY(shown.size() > 10 && shown.size() < 200);
        QVERIFY(right ? text.endsWith(shown) : text.startsWith(shown));
        QVERIFY(QFontMetrics(box->font()).horizontalAdvance(shown) > box->width() / 2);
    }

    void keyboardDoesNotType_data() { BothModes(); }
    void keyboardDoesNotType() {
        QFETCH(Mode, mode);
        CalculatorWindow* w = OpenActive(mode);
        QVERIFY(w);
        QTest::keyClicks(Target(w), QStringLiteral("12+3=*"));
        QTest::keyClick(Target(w), Qt::Key_Return);
        QTest::keyClick(Target(w), Qt::Key_Backspace);
        QVERIFY(program_->Idle());  // nothing was posted
        QCOMPARE(Shown(w), QStringLiteral("0"));
        QCOMPARE(program_->Desktop().Beeps(), 0);
    }

    void shortcutsReachMenu_data() { BothModes(); }
    // Whatever has the focus, Ctrl+C and Ctrl+V are the menu's Copy and Paste (the standard window has no Paste): the
    // display never takes the focus, not even when clicked.
    void shortcutsReachMenu() {
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
        QTest::keyClick(Target(w), Qt::Key_C, Qt::ControlModifier);
        WaitUntilIdle(*program_);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4."));
        QGuiApplication::clipboard()->setText(QStringLiteral("2+3*4="));
        QTest::keyClick(Target(w), Qt::Key_V, Qt::ControlModifier);
        WaitUntilIdle(*program_);
        QCOMPARE(Shown(w), mode == Mode::Scientific ? QStringLiteral("16.2") : QStringLiteral("4."));
    }

    // Nothing of the scientific or About window exists until it is asked for.
    void startLoadsOnlyTheStandardWindow() {
        QStringList names;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName().endsWith(QLatin1String("Window"))) names.append(w->objectName());
        QCOMPARE(names, QStringList{"standardWindow"});
        QVERIFY(program_->Window()->isVisible());
    }

    void switchReplacesWindow_data() { BothModes(); }
    // The View item unloads its window and loads the other one anew (what the new one shows: shell_switch.calc, run in
    // the windows too).
    void switchReplacesWindow() {
        QFETCH(Mode, mode);  // the window switched from
        const Mode to = mode == Mode::Standard ? Mode::Scientific : Mode::Standard;
        CalculatorWindow* old = Open(mode);
        QVERIFY(old);
        QPointer<CalculatorWindow> oldPtr = old;
        old->Action(to == Mode::Scientific ? Command::ShowScientific : Command::ShowStandard)->trigger();
        WaitUntilIdle(*program_);
        CalculatorWindow* now = program_->Window();
        QVERIFY(now && now != old && now->isVisible() && !old->isVisible());
        QCOMPARE(now->KeypadMode(), to);
        QCOMPARE(VisibleCalculatorWindows(), 1);
        DeleteRetired();
        QVERIFY(oldPtr.isNull());
    }

    // With the user at the menus: switch, switch back, and the program is still running; it ends when the open window
    // is closed, and only then.
    void staysAliveAcrossSwitches() {
        int step = 0;  // three switches, then the close
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            if (!program_->Idle()) return;  // the last switch is still on its way
            CalculatorWindow* w = program_->Window();
            if (++step > 4 || VisibleCalculatorWindows() != 1)
                QCoreApplication::exit(2);  // should have ended already, or two windows show
            else if (step == 4)
                w->close();
            else
                w->Action(w->KeypadMode() == Mode::Standard ? Command::ShowScientific : Command::ShowStandard)
                    ->trigger();
        });
        timer.start(20);
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(step, 4);  // ended by the close
    }

    // n! of 10000000 runs off the GUI thread: the window stays live (a timer fires, the busy cursor shows), and the
    // Copy and keys given meanwhile follow it, in order.
    void longKeyKeepsOrder() {
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

    void changeOfMind_data() {
        QTest::addColumn<bool>("paste");      // 20 MB of keys, else n! of 14842906
        QTest::addColumn<int>("between");     // a memory key between the work and C, which needs the result; -1: none
        QTest::addColumn<bool>("viaSwitch");  // the View switch instead of C
        QTest::addColumn<QString>("memory");  // then recalled
        const int none = -1, mc = int(Key::MemoryClear), ms = int(Key::MemoryStore);
        QTest::newRow("n!, C") << false << none << false << "4";
        QTest::newRow("n!, switch") << false << none << true << "4";
        QTest::newRow("n!, MC, C") << false << mc << false << "0";
        QTest::newRow("paste, C") << true << none << false << "4";
        QTest::newRow("paste, MS, C") << true << ms << false << "10000001";
    }

    // C (or the View switch) during a long key abandons its work unless a key between needs the result; the state is
    // that of the work finished and then C: display 0, nothing pending, the memory kept.
    void changeOfMind() {
        QFETCH(bool, paste);
        QFETCH(int, between);
        QFETCH(bool, viaSwitch);
        QFETCH(QString, memory);
        CalculatorWindow* w = Open(Mode::Scientific);
        QVERIFY(w);
        for (Key k : {Key::Digit4, Key::MemoryStore}) w->Button(k)->click();
        w->Inverse()->click();
        // Locked by the error, every key of the locked paste beeps: the count tells how far it went.
        constexpr int kPairs = 10'000'000;
        QGuiApplication::clipboard()->setText((between < 0 ? QStringLiteral("1/0=") : QString()) +
                                              QStringLiteral("1+").repeated(kPairs) + QStringLiteral("1="));
        if (paste)
            w->Action(Command::Paste)->trigger();
        else
            FactorialOf(w, "14842906")->click();
        QTest::qWait(100);
        QVERIFY(!program_->Idle());
        QElapsedTimer sinceC;
        sinceC.start();
        if (between >= 0) w->Button(Key(between))->click();
        if (viaSwitch)
            w->Action(Command::ShowStandard)->trigger();
        else
            w->Button(Key::Clear)->click();
        WaitUntilIdle(*program_);
        qInfo("answered %lld ms after the C", sinceC.elapsed());
        if (between < 0) QVERIFY2(sinceC.elapsed() < 1000, qPrintable(QString::number(sinceC.elapsed()) + " ms"));
        if (paste && between < 0) QVERIFY(program_->Desktop().Beeps() < 2 * kPairs);
        w = program_->Window();
        QCOMPARE(Shown(w), QStringLiteral("0"));
        QVERIFY(!program_->Core().Locked());
        QCOMPARE(w->MemoryIndicator()->text(), viaSwitch || memory == "0" ? QString() : QStringLiteral("M"));
        if (!viaSwitch) QVERIFY(!w->Inverse()->isChecked());
        w = Open(Mode::Scientific);
        QVERIFY(w);
        w->Button(Key::MemoryRecall)->click();
        WaitUntilIdle(*program_);
        QCOMPARE(Shown(w), memory);
    }

    void closeDuringLongKey_data() {
        QTest::addColumn<bool>("paste");
        QTest::newRow("n! of 10000000") << false;
        QTest::newRow("30 MB paste") << true;
    }

    // Closing the window during a long key ends the program at once: the work stops, and the program is gone within 200
    // ms.
    void closeDuringLongKey() {
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
        QTimer::singleShot(500, w, [&] {  // well inside the work, which takes about a second
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
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
