// The windows with the keyboard alone: Tab in reading order, arrows to the neighbour on screen, a
// sum keyed with them, a focus mark that shows after keyboard use, the focus kept through clicks, menus and the
// About\n// window.
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>

#include "idle.h"
#include "text_box.h"

using calc::Key;
using calc::Mode;
using namespace calc::ui;

namespace {

QRect InWindow(const QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

// A key through the window system, as the user types it: shortcuts, popups and the focus apply.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QApplication::activeWindow()->windowHandle(), key, modifiers);
}

const QMap<QString, Qt::Key> kKeys{{"Tab", Qt::Key_Tab},   {"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},
                                   {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}, {"Space", Qt::Key_Space}};

// Whether `control` shows a focus mark at least 2 pixels wide (at the screen's scale) along each edge, in at least 3:1
// contrast with `plain`, the control without the focus.
bool MarkShows(QWidget* control, const QImage& plain) {
    const double scale = plain.devicePixelRatio();
    return EdgeRun(control->grab().toImage(), plain.rect(), int(6 * scale), &plain) >= int(2 * scale);
}

}  // namespace

class KeyboardTest : public QObject, ProgramFixture {
    Q_OBJECT

private slots:
    void init() { StartProgram(); }
    void cleanup() { EndProgram(); }
    void tabFollowsReadingOrder_data() { BothModes(); }
    // From a fresh window, Tab visits every key and check box once, each right of the one before in
    // its row or in a lower row, and comes round again; Shift+Tab goes the same way back.
    void tabFollowsReadingOrder() {
        QFETCH(Mode, mode);
        CalculatorWindow* w = OpenActive(mode);
        QVERIFY(w);
        const qsizetype controls = w->findChildren<QPushButton*>().size() + w->findChildren<QCheckBox*>().size();
        QList<QWidget*> chain;
        for (qsizetype i = 0; i <= controls; ++i) {
            Press(Qt::Key_Tab);
            chain << QApplication::focusWidget();
        }
        QCOMPARE(chain.back(), chain.front());
        chain.removeLast();
        QCOMPARE(QSet<QWidget*>(chain.begin(), chain.end()).size(), controls);
        for (qsizetype i = 1; i < chain.size(); ++i) {
            const QRect before = InWindow(chain[i - 1]), now = InWindow(chain[i]);
            const bool sameRow = now.top() < before.center().y() && before.top() < now.center().y();
            QVERIFY2(sameRow ? now.left() > before.left() : now.top() > before.top(),
                     qPrintable(chain[i]->accessibleName()));
        }
        for (qsizetype i = chain.size() - 1; i >= 0; --i) {
            Press(Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget(), chain[i]);
        }
    }

    void arrowsMoveOnTheGrid_data() {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("move");  // from, arrow, to: captions
        for (const char* move : {"= Up 1/x", "7 Down 4", "5 Left 4", "9 Right /", "BackSpace Down 8", "8 Up BackSpace",
                                 "MC Up MC", "= Right =", "/ Up CE", "C Down Sqrt"})
            QTest::newRow(move) << Mode::Standard << QString(move);
        for (const char* move : {"ln Up Inv", "Hyp Down sin", "Hyp Right BackSpace", "pi Down Mod", "x^y Right x^3",
                                 "C Down pi", "MS Left x^2"})
            QTest::newRow(move) << Mode::Scientific << QString(move);
    }

    // An arrow moves to the control next to the focused one on screen, in its direction; at the edge
    // of the grid the focus stays.
    void arrowsMoveOnTheGrid() {
        QFETCH(Mode, mode);
        QFETCH(QString, move);
        CalculatorWindow* w = OpenActive(mode);
        QVERIFY(w);
        const QStringList parts = move.split(u' ');
        auto control = [w](const QString& caption) -> QWidget* {
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                if (b->text() == caption) return b;
            return nullptr;
        };
        QVERIFY(control(parts[0]) && control(parts[2]));
        control(parts[0])->setFocus(Qt::TabFocusReason);
        Press(kKeys.value(parts[1]));
        QCOMPARE(QApplication::focusWidget(), control(parts[2]));
    }

    void sevenPlusFive_data() {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("toSeven");
        QTest::newRow("standard") << Mode::Standard << "Tab Down Left";                  // Backspace, 8, 7
        QTest::newRow("scientific") << Mode::Scientific << "Tab Right Right Down Left";  // Inv, Hyp, Backspace, 8, 7
    }

    // 7 + 5 = keyed with Tab, the arrows and Space from a fresh window. Space before any Tab presses nothing.
    void sevenPlusFive() {
        QFETCH(Mode, mode);
        QFETCH(QString, toSeven);
        CalculatorWindow* w = OpenActive(mode);
        QVERIFY(w);
        Press(Qt::Key_Space);
        WaitUntilIdle(*program_);
        QCOMPARE(w->Display()->text(), QStringLiteral("0"));
        QVERIFY(!w->Inverse() || !w->Inverse()->isChecked());
        // From 7 to +, to 5, to =: the same path in both windows.
        const QString path = toSeven + " Space Right Right Right Down Down Down Space Up Up Left Left Space" +
                             " Right Right Right Down Down Space";
        for (const QString& name : path.split(u' ')) Press(kKeys.value(name));
        WaitUntilIdle(*program_);
        QCOMPARE(w->Display()->text(), QStringLiteral("12"));
    }

    void focusStaysWithTheKeyboard_data() {
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("how");
        for (const char* how : {"click on a key", "menu by the mouse closed by a click",
                                "menu by the mouse closed by Esc", "menu by Alt+E closed by Esc", "About closed"})
            QTest::newRow(how) << Mode::Standard << QString(how);
        QTest::newRow("scientific, About closed") << Mode::Scientific << QString("About closed");
    }
    // The first control (a key, or the Inv box) reached with Tab shows its focus mark and keeps the focus through a
    // click on a key (which presses the key and hides the mark until a key is typed), a menu and the About window.
    void focusStaysWithTheKeyboard() {
        QFETCH(Mode, mode);
        QFETCH(QString, how);
        CalculatorWindow* w = OpenActive(mode);
        QVERIFY(w);
        auto* had = mode == Mode::Standard ? static_cast<QAbstractButton*>(w->Button(Key::BackSpace)) : w->Inverse();
        const QImage plain = had->grab().toImage();
        Press(Qt::Key_Tab);
        QVERIFY(had->hasFocus() && MarkShows(had, plain));
        const QPoint edit = w->Menu()->actionGeometry(w->Menu()->actions().front()).center();
        auto clickEdit = [&] { QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, edit); };
        if (how.startsWith("click")) {
            QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, CentreInWindow(w->Button(Key::Digit7)));
            WaitUntilIdle(*program_);
            QVERIFY(w->Display()->text() == "7" && !MarkShows(had, plain));
        } else if (how.startsWith("menu")) {
            how.contains("Alt+E") ? Press(Qt::Key_E, Qt::AltModifier) : clickEdit();
            QTRY_VERIFY(QApplication::activePopupWidget());
            how.endsWith("Esc") ? Press(Qt::Key_Escape) : clickEdit();
        } else {
            WithAbout(w, [](AboutDialog* about) { about->reject(); });
        }
        QTRY_COMPARE(QApplication::focusWidget(), had);
        QSignalSpy pressed(had, &QAbstractButton::clicked);
        Press(Qt::Key_Space);
        QVERIFY(pressed.count() == 1 && MarkShows(had, plain));
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
