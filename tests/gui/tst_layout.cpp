// The windows as the user sees them: every control where the layout puts it, the
// key captions and their indexes, menus, fonts, title-bar buttons, the About
// window, and an accessible name on everything a screen reader can reach.
//
// The expected key grid and control rectangles below are written out from the
// window designs on purpose, independently of app/keypads.cpp, so that a slip in
// that table shows up here.
#include <QAccessible>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
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

QRect Twips(int left, int top, int width, int height) { return PxRect({left, top, width, height}); }

const QStringList kStandardCaptions{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "+", "-", "*",
                                    "/", "=", "+/-", "Sqrt", "%", "1/x", "C", "CE", "BackSpace", "MC",
                                    "MR", "MS", "M+"};
const QStringList kScientificCaptions{"0",   "1",   "2",   "3",   "4",   "5",  "6",   "7",   "8",   "9",
                                      ".",   "+",   "-",   "*",   "/",   "+/-", "(",   ")",   "x^y", "=",
                                      "C",   "MC",  "MR",  "MS",  "M+",  "ln", "log", "n!",  "1/x", "sin",
                                      "cos", "tan", "x^2", "x^3", "Int", "Mod", "pi",  "CE",  "BackSpace"};

struct GridKey {
    QString caption;
    int left, top, width;
};

// The keypads row by row, as laid out in the window designs.
QList<GridKey> Grid(WindowKind kind) {
    QList<GridKey> keys;
    const bool standard = kind == WindowKind::Standard;
    const QList<int> lefts = standard ? QList<int>{120, 960, 1680, 2400, 3120, 3840}
                                      : QList<int>{120, 840, 1560, 2280, 3480, 4200, 4920, 5640, 6360};
    const QList<int> tops = standard ? QList<int>{1200, 1680, 2160, 2640} : QList<int>{1440, 1920, 2400, 2880};
    const QList<QStringList> rows =
        standard ? QList<QStringList>{{"MC", "7", "8", "9", "/", "Sqrt"},
                                      {"MR", "4", "5", "6", "*", "%"},
                                      {"MS", "1", "2", "3", "-", "1/x"},
                                      {"M+", "0", "+/-", ".", "+", "="}}
                 : QList<QStringList>{{"ln", "sin", "(", "MC", "7", "8", "9", "/", "pi"},
                                      {"log", "cos", ")", "MR", "4", "5", "6", "*", "Mod"},
                                      {"n!", "tan", "x^2", "MS", "1", "2", "3", "-", "Int"},
                                      {"1/x", "x^y", "x^3", "M+", "0", "+/-", ".", "+", "="}};
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) keys.append({rows[r][c], lefts[c], tops[r], 615});
    }
    if (standard) {
        keys.append({"BackSpace", 1320, 720, 975});
        keys.append({"CE", 2400, 720, 975});
        keys.append({"C", 3480, 720, 975});
    } else {
        keys.append({"BackSpace", 3840, 840, 975});
        keys.append({"CE", 4920, 840, 975});
        keys.append({"C", 6000, 840, 975});
    }
    return keys;
}

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

const char* KindName(WindowKind kind) { return kind == WindowKind::Standard ? "Form1" : "Form2"; }

// The first family of the fallback list that this system has.
QString ExpectedChineseFamily() {
    const QStringList installed = QFontDatabase::families();
    for (const QString& f : ChineseFamilies()) {
        if (installed.contains(f, Qt::CaseInsensitive)) return f;
    }
    return QString();
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowFrame_data();
    void windowFrame();
    void keyGrid_data();
    void keyGrid();
    void keyCaptionsByIndex_data();
    void keyCaptionsByIndex();
    void controls_data();
    void controls();
    void menus_data();
    void menus();
    void fonts();
    void accessibleNames_data();
    void accessibleNames();
    void displayAccessibleValue();
    void aboutWindowFrame();
    void aboutControls_data();
    void aboutControls();

private:
    CalculatorWindow* Open(WindowKind kind);
    std::unique_ptr<Program> program_;
};

void LayoutTest::init() {
    program_ = std::make_unique<Program>();
    program_->Start();
}

void LayoutTest::cleanup() {
    program_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CalculatorWindow* LayoutTest::Open(WindowKind kind) {
    program_->app().ShowWindow(kind);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    CalculatorWindow* w = program_->window();
    if (w && w->kind() != kind) return nullptr;
    return w;
}

void LayoutTest::windowFrame_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("client");
    QTest::newRow("Form1") << WindowKind::Standard << QStringLiteral("计算器<标准型>") << QSize(308, 216);
    QTest::newRow("Form2") << WindowKind::Scientific << QStringLiteral("计算器<科学型>") << QSize(474, 230);
}

void LayoutTest::windowFrame() {
    QFETCH(WindowKind, kind);
    QFETCH(QString, title);
    QFETCH(QSize, client);
    CalculatorWindow* w = Open(kind);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->client()->size(), client);
    // The client area lies right below the menu bar and fills the rest of the window.
    QCOMPARE(w->client()->y(), w->menuBar()->height());
    QCOMPARE(w->size(), QSize(client.width(), client.height() + w->menuBar()->height()));
    // Fixed size; minimise and close but no maximise.
    QCOMPARE(w->minimumSize(), w->size());
    QCOMPARE(w->maximumSize(), w->size());
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    // Centred on its screen: the margins left and right (above and below) are equal.
    const QRect frame = w->frameGeometry(), avail = w->screen()->availableGeometry();
    const int dx = (frame.left() - avail.left()) - (avail.right() - frame.right());
    const int dy = (frame.top() - avail.top()) - (avail.bottom() - frame.bottom());
    QVERIFY2(qAbs(dx) <= 1 && qAbs(dy) <= 1, qPrintable(QStringLiteral("off centre by %1,%2").arg(dx).arg(dy)));
}

void LayoutTest::keyGrid_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("rect");
    for (WindowKind kind : {WindowKind::Standard, WindowKind::Scientific}) {
        for (const GridKey& k : Grid(kind)) {
            QTest::addRow("%s %s", KindName(kind), qPrintable(k.caption))
                << kind << k.caption << Twips(k.left, k.top, k.width, 375);
        }
    }
}

void LayoutTest::keyGrid() {
    QFETCH(WindowKind, kind);
    QFETCH(QString, caption);
    QFETCH(QRect, rect);
    CalculatorWindow* w = Open(kind);
    QVERIFY(w);
    QList<QPushButton*> found;
    for (QPushButton* b : w->client()->findChildren<QPushButton*>()) {
        if (b->text() == caption) found.append(b);
    }
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0]->parentWidget(), w->client());
    QCOMPARE(found[0]->geometry(), rect);
    QVERIFY(found[0]->isVisible());
}

void LayoutTest::keyCaptionsByIndex_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("Form1") << WindowKind::Standard << kStandardCaptions;
    QTest::newRow("Form2") << WindowKind::Scientific << kScientificCaptions;
}

// The index a button passes to the key handler is the interface of the keypad: the
// button showing "=" must raise index 15 in Form1 and 19 in Form2.
void LayoutTest::keyCaptionsByIndex() {
    QFETCH(WindowKind, kind);
    QFETCH(QStringList, captions);
    CalculatorWindow* w = Open(kind);
    QVERIFY(w);
    QCOMPARE(w->client()->findChildren<QPushButton*>().size(), captions.size());
    QList<int> raised;
    connect(w->command1(), &ControlArray::clicked, this, [&raised](int i) { raised.append(i); });
    for (int i = 0; i < captions.size(); ++i) {
        QPushButton* b = w->key(i);
        QVERIFY2(b, qPrintable(QStringLiteral("no button for index %1").arg(i)));
        QCOMPARE(b->text(), captions[i]);
        raised.clear();
        b->click();
        QCOMPARE(raised, QList<int>{i});
    }
}

void LayoutTest::controls_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");  // initial text or check box caption
    QTest::addColumn<bool>("grey");
    const WindowKind s = WindowKind::Standard, x = WindowKind::Scientific;
    QTest::newRow("Form1 Text1") << s << "Text1" << "client" << Twips(120, 120, 4335, 390) << "0" << false;
    QTest::newRow("Form1 Text2") << s << "Text2" << "client" << Twips(120, 720, 480, 360) << "" << true;
    QTest::newRow("Form2 Text1") << x << "Text1" << "client" << Twips(240, 240, 6615, 390) << "0" << false;
    QTest::newRow("Form2 Text2") << x << "Text2" << "client" << Twips(1920, 840, 480, 360) << "" << true;
    QTest::newRow("Form2 Text3") << x << "Text3" << "client" << Twips(2640, 840, 480, 360) << "" << true;
    QTest::newRow("Form2 Frame1") << x << "Frame1" << "client" << Twips(120, 720, 1575, 525) << "" << false;
    QTest::newRow("Form2 Check1") << x << "Check1" << "Frame1" << Twips(120, 120, 735, 375) << "Inv" << false;
    QTest::newRow("Form2 Check2") << x << "Check2" << "Frame1" << Twips(840, 120, 615, 375) << "Hyp" << false;
}

void LayoutTest::controls() {
    QFETCH(WindowKind, kind);
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(bool, grey);
    CalculatorWindow* w = Open(kind);
    QVERIFY(w);
    QWidget* c = w->control(name.toLatin1().constData());
    QVERIFY(c);
    QCOMPARE(c->parentWidget()->objectName(), parent);
    QCOMPARE(c->geometry(), rect);
    QVERIFY(c->isVisible());
    if (auto* box = qobject_cast<TextBox*>(c)) {
        QCOMPARE(box->text(), text);
        QCOMPARE(box->focusPolicy(), Qt::NoFocus);
        QCOMPARE(box->alignment(), name == "Text1" ? Qt::Alignment(Qt::AlignRight) : Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(box->palette().color(QPalette::Base) == QColor(0xC8, 0xC8, 0xC8), grey);
    } else if (auto* check = qobject_cast<QCheckBox*>(c)) {
        QCOMPARE(check->text(), text);
        QVERIFY(!check->isChecked());
    } else {
        QVERIFY(qobject_cast<QGroupBox*>(c));
        QVERIFY(qobject_cast<QGroupBox*>(c)->title().isEmpty());
    }
}

void LayoutTest::menus_data() {
    QTest::addColumn<WindowKind>("kind");
    // One line per item: "menu title|item caption|object name|shortcut".
    QTest::addColumn<QStringList>("items");
    QTest::newRow("Form1") << WindowKind::Standard
                           << QStringList{"编辑 (&E)|复制 (&C)|mnuCopy|Ctrl+C", "查看 (&V)|科学型 (&S)|mnuScience|",
                                          "帮助 (&H)|关于计算器 (&A)|mnuAbout|"};
    QTest::newRow("Form2") << WindowKind::Scientific
                           << QStringList{"编辑 (&E)|复制 (&C)|mnuCopy|Ctrl+C", "编辑 (&E)|粘贴 (&P)|mnuPaste|Ctrl+V",
                                          "查看 (&V)|标准型 (&T)|mnuStandard|", "帮助 (&H)|关于计算器 (&A)|mnuAbout|"};
}

void LayoutTest::menus() {
    QFETCH(WindowKind, kind);
    QFETCH(QStringList, items);
    CalculatorWindow* w = Open(kind);
    QVERIFY(w);
    QStringList found;
    for (QAction* top : w->menuBar()->actions()) {
        QVERIFY(top->menu());
        for (QAction* item : top->menu()->actions()) {
            found.append(top->text() + "|" + item->text() + "|" + item->objectName() + "|" +
                         item->shortcut().toString(QKeySequence::PortableText));
        }
    }
    QCOMPARE(found, items);
    QStringList titles;
    for (QAction* top : w->menuBar()->actions()) titles.append(top->text());
    QCOMPARE(titles, (QStringList{"编辑 (&E)", "查看 (&V)", "帮助 (&H)"}));
}

void LayoutTest::fonts() {
    const QString family = ExpectedChineseFamily();
    if (family.isEmpty()) QSKIP("no Chinese font of the fallback list is installed");
    const QFont appFont = QApplication::font();
    const char32_t ji = U'计';

    CalculatorWindow* w = Open(WindowKind::Standard);
    QVERIFY(w);
    QCOMPARE(QFontInfo(w->text1()->font()).family(), family);
    QCOMPARE(w->text1()->font().pointSizeF(), 10.5);
    QVERIFY(w->text1()->font().bold());
    QVERIFY(QFontMetrics(w->text1()->font()).inFontUcs4(ji));
    QCOMPARE(QFontInfo(w->text2()->font()).family(), family);
    QCOMPARE(w->text2()->font().pointSizeF(), 9.0);
    QVERIFY(!w->text2()->font().bold());
    for (QPushButton* b : w->keys()) {
        QCOMPARE(QFontInfo(b->font()).family(), family);
        QCOMPARE(b->font().pointSizeF(), 9.0);
        QVERIFY(!b->font().bold());
    }

    w = Open(WindowKind::Scientific);
    QVERIFY(w);
    QCOMPARE(QFontInfo(w->text1()->font()).family(), family);
    QCOMPARE(w->text1()->font().pointSizeF(), 10.5);
    QVERIFY(w->text1()->font().bold());
    // Everything else in the scientific window keeps the default font.
    for (QWidget* c : QList<QWidget*>{w->text2(), w->text3(), w->check1(), w->check2(), w->key(0), w->key(38)}) {
        QCOMPARE(c->font(), appFont);
    }
}

void LayoutTest::accessibleNames_data() {
    QTest::addColumn<WindowKind>("kind");
    QTest::newRow("Form1") << WindowKind::Standard;
    QTest::newRow("Form2") << WindowKind::Scientific;
}

void LayoutTest::accessibleNames() {
    QFETCH(WindowKind, kind);
    CalculatorWindow* w = Open(kind);
    QVERIFY(w);
    int checked = 0;
    std::set<QString> keyNames;
    for (QWidget* c : w->client()->findChildren<QWidget*>()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(c);
        QVERIFY(iface);
        QVERIFY2(!iface->text(QAccessible::Name).isEmpty(), qPrintable(c->objectName() + " has no accessible name"));
        if (qobject_cast<QPushButton*>(c)) {
            // A screen reader must tell the keys apart.
            QVERIFY2(keyNames.insert(iface->text(QAccessible::Name)).second, qPrintable(c->objectName()));
        }
        ++checked;
    }
    QCOMPARE(checked, kind == WindowKind::Standard ? 2 + 27 : 6 + 39);
    // The names say what the key means.
    const int plus = 11, equals = kind == WindowKind::Standard ? 15 : 19;
    QCOMPARE(w->key(plus)->accessibleName(), QStringLiteral("加"));
    QCOMPARE(w->key(equals)->accessibleName(), QStringLiteral("等于"));
    if (kind == WindowKind::Standard) QCOMPARE(w->key(17)->accessibleName(), QStringLiteral("平方根"));
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

void LayoutTest::aboutWindowFrame() {
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("关于计算器"));
    QCOMPARE(about.size(), QSize(563, 429));
    QCOMPARE(about.minimumSize(), about.size());
    QCOMPARE(about.maximumSize(), about.size());
    QVERIFY(about.isModal());
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
}

void LayoutTest::aboutControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");  // empty: our own wording, only required to be there
    QTest::addColumn<bool>("wrapped");
    QTest::newRow("lblName") << "lblName" << Twips(120, 120, 1800, 210) << "软件名称：计算器" << false;
    QTest::newRow("lblProperty") << "lblProperty" << Twips(120, 480, 2025, 210) << "软件性质：免费软件" << false;
    QTest::newRow("lblVersion") << "lblVersion" << Twips(120, 840, 1035, 210) << "版本：1.0" << false;
    QTest::newRow("lblCopyright") << "lblCopyright" << Twips(120, 1200, 3900, 210) << "" << false;
    QTest::newRow("lblAuthor") << "lblAuthor" << Twips(120, 1560, 1755, 210) << "" << false;
    QTest::newRow("lblIDE") << "lblIDE" << Twips(120, 1920, 3525, 210) << "" << false;
    QTest::newRow("lblPlatform") << "lblPlatform" << Twips(120, 2280, 4845, 210) << "" << false;
    QTest::newRow("Label1") << "Label1" << Twips(240, 2640, 3165, 210) << "" << false;
    QTest::newRow("lbl") << "lbl" << Twips(120, 3120, 8055, 1935) << "" << true;
    QTest::newRow("lblDescribe") << "lblDescribe" << Twips(165, 5400, 8175, 495) << "" << true;
}

void LayoutTest::aboutControls() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    QFETCH(bool, wrapped);
    AboutDialog about;
    auto* label = about.findChild<QLabel*>(name);
    QVERIFY(label);
    QCOMPARE(label->geometry(), rect);
    if (!text.isEmpty()) QCOMPARE(label->text(), text);
    QVERIFY(!label->text().trimmed().isEmpty());
    QCOMPARE(label->wordWrap(), wrapped);
    if (name == "lblPlatform") {  // the name of the system it runs on follows
        const QString prefix = QStringLiteral("运行平台："), shown = label->text();
        QVERIFY(shown.startsWith(prefix) && shown.size() > prefix.size() && !shown.contains(QLatin1String("Win")));
    }
    QCOMPARE(label->font().pointSizeF(), kAboutLabelPoints);
    QVERIFY(label->font().bold());
    // Every character of the text has a glyph.
    const QFontMetrics fm(label->font());
    for (const QChar ch : label->text()) QVERIFY2(fm.inFont(ch), qPrintable(QString(ch)));
    // The text must fit: one line within the width, or a wrapped text in no more
    // lines than the rectangle holds at the font's nominal size (14 px for 10.5 pt).
    if (wrapped) {
        const int maxLines = rect.height() / qRound(kAboutLabelPoints * 96 / 72);
        QVERIFY2(LineCount(label) <= maxLines, qPrintable(QStringLiteral("%1 lines").arg(LineCount(label))));
    } else {
        QVERIFY(fm.horizontalAdvance(label->text()) <= label->contentsRect().width());
    }

    if (name == "lblName") {  // the rest of the window, once
        auto* ok = about.findChild<QPushButton*>("Command1");
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("确定"));
        QCOMPARE(ok->geometry(), Twips(7080, 5880, 1215, 375));
        QCOMPARE(ok->font().pointSizeF(), kAboutButtonPoints);
        QVERIFY(ok->font().bold());
        auto* line = about.findChild<QFrame*>("Line1");
        QVERIFY(line);
        QCOMPARE(line->frameShape(), QFrame::HLine);
        QCOMPARE(line->geometry().left(), Px(165));
        QCOMPARE(line->geometry().right() + 1, Px(8280));
        QVERIFY(qAbs(line->geometry().center().y() - Px(5160)) <= 1);
    }
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
