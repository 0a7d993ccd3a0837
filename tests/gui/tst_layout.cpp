// The windows as the user sees them: each built from its layout table (every control
// where the table puts it, inside its window, no two keys overlapping, each key showing
// its caption and raising its own index), the menus, fonts, the About window, and an
// accessible name on everything a screen reader can reach.
#include <QAccessible>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>
#include <QtTest>
#include <memory>
#include <set>

#include "about_dialog.h"
#include "about_layout.h"
#include "calculator_window.h"
#include "fonts.h"
#include "program.h"
#include "text_box.h"
#include "twips.h"

using calc::WindowKind;
using namespace calc::ui;

Q_DECLARE_METATYPE(calc::WindowKind)

namespace {

// The lines a word-wrapped label breaks its text into.
int LineCount(const QLabel* label) {
    QTextLayout layout(label->text(), label->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label->contentsRect().width());
        ++lines;
    }
    layout.endLayout();
    return lines;
}

bool Inside(const QWidget* w) { return w->parentWidget()->rect().contains(w->geometry()); }

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        program_ = std::make_unique<Program>();
        program_->Start();
    }
    void cleanup() {
        program_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void window_data();
    void window();
    void fonts();
    void displayAccessibleValue();
    void about();

private:
    CalculatorWindow* Open(WindowKind kind) {
        program_->app().ShowWindow(kind);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CalculatorWindow* w = program_->window();
        return w && w->kind() == kind ? w : nullptr;
    }
    std::unique_ptr<Program> program_;
};

void LayoutTest::window_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("standard") << WindowKind::Standard;
    QTest::newRow("scientific") << WindowKind::Scientific;
}

void LayoutTest::window() {
    QFETCH(WindowKind, kind);
    CalculatorWindow* w = Open(kind);
    QVERIFY(w && w->isVisible());

    // Frame: title, client size below the menu bar, fixed size, no maximise, centred.
    const calc::WindowDef def = calc::Window(kind);
    QCOMPARE(w->windowTitle(), QString::fromUtf8(def.caption));
    QCOMPARE(w->client()->size(), QSize(Px(def.clientWidth), Px(def.clientHeight)));
    QCOMPARE(w->client()->y(), w->menuBar()->height());
    QCOMPARE(w->size(), QSize(w->client()->width(), w->client()->height() + w->menuBar()->height()));
    QCOMPARE(w->minimumSize(), w->size());
    QCOMPARE(w->maximumSize(), w->size());
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint) && (flags & Qt::WindowMinimizeButtonHint));
    const QRect frame = w->frameGeometry(), avail = w->screen()->availableGeometry();
    QVERIFY(qAbs((frame.left() - avail.left()) - (avail.right() - frame.right())) <= 1);
    QVERIFY(qAbs((frame.top() - avail.top()) - (avail.bottom() - frame.bottom())) <= 1);

    // The other controls: at their places inside their parents, the text boxes out of the
    // focus chain, check boxes clear.
    for (const calc::ControlDef& c : calc::Controls(kind)) {
        QWidget* widget = w->control(c.name);
        QVERIFY2(widget && widget->isVisible() && Inside(widget), c.name);
        QCOMPARE(widget->geometry(), PxRect(c.rect));
        if (auto* box = qobject_cast<TextBox*>(widget)) {
            QCOMPARE(box->text(), QString::fromUtf8(c.caption));
            QCOMPARE(box->focusPolicy(), Qt::NoFocus);
        }
    }
    for (QWidget* c : w->client()->findChildren<QWidget*>()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(c);
        QVERIFY2(iface && !iface->text(QAccessible::Name).isEmpty(), qPrintable(c->objectName()));
    }

    // Keys: one button per table entry, at its place, showing its caption, raising its
    // index, inside the window, overlapping no other key, with a name of its own.
    const auto table = calc::Keypad(kind);
    QCOMPARE(w->client()->findChildren<QPushButton*>().size(), qsizetype(table.size()));
    QList<int> raised;
    connect(w->command1(), &ControlArray::clicked, this, [&raised](int i) { raised.append(i); });
    std::set<QString> names;
    for (const calc::KeyDef& k : table) {
        QPushButton* b = w->key(k.index);
        QVERIFY(b && b->isVisible() && Inside(b));
        QCOMPARE(b->text(), QString::fromUtf8(k.caption));
        QCOMPARE(b->geometry(), PxRect(k.rect));
        QCOMPARE(b->accessibleName(), QString::fromUtf8(k.accessibleName));
        QVERIFY2(names.insert(b->accessibleName()).second, k.caption);
        for (const calc::KeyDef& other : table) {
            QVERIFY2(&other == &k || !b->geometry().intersects(PxRect(other.rect)), k.caption);
        }
        raised.clear();
        b->click();
        QCOMPARE(raised, QList<int>{k.index});
    }

    // Menus as the table lists them, in order.
    QStringList expected, found;
    for (const calc::MenuItemDef& m : calc::Menus(kind)) {
        expected << QString::fromUtf8(m.menu) + "|" + m.caption + "|" + m.name + "|" + m.shortcut;
    }
    for (QAction* top : w->menuBar()->actions()) {
        for (QAction* item : top->menu()->actions()) {
            found << top->text() + "|" + item->text() + "|" + item->objectName() + "|" +
                         item->shortcut().toString(QKeySequence::PortableText);
        }
    }
    QCOMPARE(found, expected);
}

void LayoutTest::fonts() {
    QString family;
    for (const QString& f : ChineseFamilies()) {
        if (QFontDatabase::families().contains(f, Qt::CaseInsensitive)) {
            family = f;
            break;
        }
    }
    if (family.isEmpty()) QSKIP("no Chinese font of the fallback list is installed");
    CalculatorWindow* w = Open(WindowKind::Standard);
    QVERIFY(w);
    QCOMPARE(QFontInfo(w->text1()->font()).family(), family);
    QCOMPARE(w->text1()->font().pointSizeF(), 10.5);
    QVERIFY(w->text1()->font().bold());
    for (QWidget* c : QList<QWidget*>{w->text2(), w->key(0), w->key(22)}) {
        QCOMPARE(QFontInfo(c->font()).family(), family);
        QCOMPARE(c->font().pointSizeF(), 9.0);
        QVERIFY(!c->font().bold());
    }
    w = Open(WindowKind::Scientific);
    QVERIFY(w);
    QCOMPARE(w->text1()->font().pointSizeF(), 10.5);
    QVERIFY(w->text1()->font().bold());
    // Everything else in the scientific window keeps the default font.
    for (QWidget* c : QList<QWidget*>{w->text2(), w->text3(), w->check1(), w->check2(), w->key(0), w->key(38)}) {
        QCOMPARE(c->font(), QApplication::font());
    }
}

void LayoutTest::displayAccessibleValue() {
    CalculatorWindow* w = Open(WindowKind::Standard);
    QVERIFY(w);
    w->command1()->click(1);
    w->command1()->click(2);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w->text1());
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("12"));
    QVERIFY(iface->state().readOnly);
    QVERIFY(!iface->state().focusable);
}

// Modal, fixed size, only a close box; every label inside the window, in the Chinese
// font, fitting its rectangle.
void LayoutTest::about() {
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("关于计算器"));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(about.isModal());
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint)));
    QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("版本：1.0"));
    // The platform line names the system it runs on.
    const QString platform = about.findChild<QLabel*>("lblPlatform")->text();
    QVERIFY(platform.startsWith(QStringLiteral("运行平台：")) && platform.size() > 5 && !platform.contains("Win"));
    for (const AboutControlDef& c : AboutControls()) {
        QWidget* widget = about.findChild<QWidget*>(c.name);
        QVERIFY2(widget && Inside(widget), c.name);
        auto* label = qobject_cast<QLabel*>(widget);
        if (!label) continue;
        QCOMPARE(label->geometry(), PxRect(c.rect));
        QVERIFY(!label->text().trimmed().isEmpty());
        QCOMPARE(label->font().pointSizeF(), kAboutLabelPoints);
        const QFontMetrics fm(label->font());
        for (const QChar ch : label->text()) QVERIFY2(fm.inFont(ch), qPrintable(QString(ch)));
        if (c.kind == AboutKind::WrappedLabel) {
            QVERIFY(LineCount(label) <= label->height() / qRound(kAboutLabelPoints * 96 / 72));
        } else {
            QVERIFY(fm.horizontalAdvance(label->text()) <= label->contentsRect().width());
        }
    }
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
