// The windows at work: long displays, the keyboard and focus rules, the Copy and
// Paste shortcuts, switching between the windows without the program ending, and
// the modal About window.
#define QTEST_QPA_MOUSE_HANDLING  // mouse clicks go through the window system, where modality applies
#include <QAction>
#include <QClipboard>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "about_dialog.h"
#include "calculator_window.h"
#include "program.h"
#include "text_box.h"

using calc::WindowKind;
using namespace calc::ui;

Q_DECLARE_METATYPE(calc::WindowKind)

namespace {

void DeleteRetired() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

int VisibleCalculatorWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<CalculatorWindow*>(w) && w->isVisible()) ++n;
    }
    return n;
}

QString Shown(CalculatorWindow* w) { return w->text1()->text(); }

QPoint CentreInWindow(QWidget* w) { return w->mapTo(w->window(), w->rect().center()); }

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void longText_data();
    void longText();
    void longResultThroughTheCore();
    void keyboardDoesNotType_data();
    void keyboardDoesNotType();
    void spaceClicksFocusedKey_data();
    void spaceClicksFocusedKey();
    void copyShortcutReachesMenu_data();
    void copyShortcutReachesMenu();
    void pasteShortcut();
    void startLoadsOnlyTheStandardWindow();
    void switchReplacesWindow_data();
    void switchReplacesWindow();
    void staysAliveAcrossSwitches();
    void about_data();
    void about();

private:
    CalculatorWindow* Open(WindowKind kind);
    CalculatorWindow* OpenActive(WindowKind kind);
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

CalculatorWindow* WindowsTest::Open(WindowKind kind) {
    program_->app().ShowWindow(kind);
    DeleteRetired();
    return program_->window();
}

CalculatorWindow* WindowsTest::OpenActive(WindowKind kind) {
    CalculatorWindow* w = Open(kind);
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
    CalculatorWindow* w = Open(WindowKind::Standard);
    QVERIFY(w);
    TextBox* box = w->text1();
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
    box->grab();  // paints without complaint
}

// 10000! has 35660 digits, beyond a line edit's default limit of 32767.
void WindowsTest::longResultThroughTheCore() {
    CalculatorWindow* w = Open(WindowKind::Scientific);
    QVERIFY(w);
    for (const char* caption : {"1", "0", "0", "0", "0", "n!"}) {
        const int index = calc::FindKey(WindowKind::Scientific, caption);
        QVERIFY(index >= 0);
        QTest::mouseClick(w->key(index), Qt::LeftButton);
    }
    QCOMPARE(Shown(w).size(), 35660);
    QCOMPARE(Shown(w).toStdString(), program_->app().Display());
    QVERIFY(Shown(w).startsWith(QLatin1String("28462596809170545189")));
    QVERIFY(Shown(w).endsWith(QString(2499, QLatin1Char('0'))));
}

void WindowsTest::keyboardDoesNotType_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("Form1") << WindowKind::Standard;
    QTest::newRow("Form2") << WindowKind::Scientific;
}

void WindowsTest::keyboardDoesNotType() {
    QFETCH(WindowKind, kind);
    CalculatorWindow* w = OpenActive(kind);
    QVERIFY(w);
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClicks(target, QStringLiteral("12+3=*"));
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Backspace);
    QCOMPARE(Shown(w), QStringLiteral("0"));
    QCOMPARE(program_->platform().beeps(), 0);
}

void WindowsTest::spaceClicksFocusedKey_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("Form1") << WindowKind::Standard;
    QTest::newRow("Form2") << WindowKind::Scientific;
}

void WindowsTest::spaceClicksFocusedKey() {
    QFETCH(WindowKind, kind);
    CalculatorWindow* w = OpenActive(kind);
    QVERIFY(w);
    QPushButton* seven = w->key(7);
    seven->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), seven);
    QTest::keyClick(seven, Qt::Key_Space);
    QCOMPARE(Shown(w), QStringLiteral("7"));
    QTest::keyClick(seven, Qt::Key_Space);
    QCOMPARE(Shown(w), QStringLiteral("77"));
}

void WindowsTest::copyShortcutReachesMenu_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("Form1") << WindowKind::Standard;
    QTest::newRow("Form2") << WindowKind::Scientific;
}

// Whatever has the focus, Ctrl+C is the menu's Copy: the display never takes the
// focus, not even when clicked.
void WindowsTest::copyShortcutReachesMenu() {
    QFETCH(WindowKind, kind);
    CalculatorWindow* w = OpenActive(kind);
    QVERIFY(w);
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, CentreInWindow(w->key(4)));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, CentreInWindow(w->key(10)));
    QCOMPARE(Shown(w), QStringLiteral("4."));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, CentreInWindow(w->text1()));
    QVERIFY(QApplication::focusWidget() != w->text1());
    QGuiApplication::clipboard()->setText(QStringLiteral("stale"));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4."));
}

void WindowsTest::pasteShortcut() {
    CalculatorWindow* w = OpenActive(WindowKind::Scientific);
    QVERIFY(w);
    QGuiApplication::clipboard()->setText(QStringLiteral("2+3*4="));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : w;
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Shown(w), QStringLiteral("14"));
}

// Nothing of the scientific or About window exists until it is asked for.
void WindowsTest::startLoadsOnlyTheStandardWindow() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->objectName().isEmpty() && w->objectName().startsWith(QLatin1String("Form"))) names.append(w->objectName());
    }
    QCOMPARE(names, QStringList{"Form1"});
    QVERIFY(program_->app().Form2() == nullptr);
    QVERIFY(program_->window()->isVisible());
}

void WindowsTest::switchReplacesWindow_data() {
    QTest::addColumn<WindowKind>("from");
    QTest::addColumn<QString>("item");
    QTest::addColumn<WindowKind>("to");
    QTest::newRow("Form1 to Form2") << WindowKind::Standard << "mnuScience" << WindowKind::Scientific;
    QTest::newRow("Form2 to Form1") << WindowKind::Scientific << "mnuStandard" << WindowKind::Standard;
}

// The View item unloads its window and loads the other one anew, with fresh
// controls; the memories stay in the core.
void WindowsTest::switchReplacesWindow() {
    QFETCH(WindowKind, from);
    QFETCH(QString, item);
    QFETCH(WindowKind, to);
    CalculatorWindow* old = Open(from);
    QVERIFY(old && old->kind() == from);
    for (int index : {5, 20}) old->command1()->click(index);  // "5", then a key that leaves it alone or clears
    QPointer<CalculatorWindow> oldPtr = old;
    old->action(item.toLatin1().constData())->trigger();
    CalculatorWindow* now = program_->window();
    QVERIFY(now && now != old);
    QCOMPARE(now->kind(), to);
    QVERIFY(now->isVisible());
    QVERIFY(!old->isVisible());
    QCOMPARE(VisibleCalculatorWindows(), 1);
    DeleteRetired();
    QVERIFY(oldPtr.isNull());
    QCOMPARE(Shown(now), QStringLiteral("0"));
    QCOMPARE(now->text2()->text(), QString());
}

// With the user at the menus: switch, switch back, and the program is still
// running; it ends when the open window is closed, and only then.
void WindowsTest::staysAliveAcrossSwitches() {
    bool quit = false;
    bool closedLast = false;
    QList<std::function<void()>> steps{
        [&] { program_->window()->action("mnuScience")->trigger(); },
        [&] { QCOMPARE(program_->window()->kind(), WindowKind::Scientific); },
        [&] { program_->window()->action("mnuStandard")->trigger(); },
        [&] { QCOMPARE(program_->window()->kind(), WindowKind::Standard); },
        [&] { program_->window()->action("mnuScience")->trigger(); },
        [&] {
            QCOMPARE(VisibleCalculatorWindows(), 1);
            closedLast = true;
            program_->window()->close();
        },
    };
    int step = 0;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&] {
        if (step < steps.size()) steps[step++]();
        else QCoreApplication::exit(2);  // should have ended already
    });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [&] { quit = true; });
    timer.start();
    const int rc = QCoreApplication::exec();
    timer.stop();
    QCOMPARE(rc, 0);
    QVERIFY(quit);
    QVERIFY(closedLast);
    QCOMPARE(step, steps.size());
}

void WindowsTest::about_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Form1, 确定") << WindowKind::Standard << true;
    QTest::newRow("Form1, close box") << WindowKind::Standard << false;
    QTest::newRow("Form2, 确定") << WindowKind::Scientific << true;
    QTest::newRow("Form2, close box") << WindowKind::Scientific << false;
}

// Help > About opens the About window modally over the calculator window: the
// keypad takes no clicks until it is closed, and then the same window goes on.
void WindowsTest::about() {
    QFETCH(WindowKind, kind);
    QFETCH(bool, byButton);
    CalculatorWindow* w = OpenActive(kind);
    QVERIFY(w);
    const QPoint sevenAt = CentreInWindow(w->key(7));

    bool seen = false;
    QString failure;
    QTimer::singleShot(0, this, [&] {
        auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (!about) {
            failure = QStringLiteral("no modal About window");
            return;
        }
        seen = about->isVisible() && about->objectName() == QLatin1String("Form3");
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, sevenAt);
        if (Shown(w) != QLatin1String("0")) failure = QStringLiteral("a key took a click behind the About window");
        if (byButton) {
            auto* ok = about->findChild<QPushButton*>(QStringLiteral("Command1"));
            if (ok) ok->click();
            else failure = QStringLiteral("no 确定 button");
        } else {
            about->close();  // what the close box does
        }
    });
    w->action("mnuAbout")->trigger();  // returns when the About window closes
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY(seen);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(program_->window(), w);
    QVERIFY(w->isVisible());
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, sevenAt);
    QCOMPARE(Shown(w), QStringLiteral("7"));
}

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
