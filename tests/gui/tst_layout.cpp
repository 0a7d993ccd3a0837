// The windows as the user sees them: built from their tables, fonts, the About window,
// every caption fitting its control, and what a screen reader can reach.
#include <QAccessible>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <set>

#include "about_dialog.h"
#include "about_layout.h"
#include "caption_fit.h"
#include "fonts.h"
#include "idle.h"
#include "keypad/keypad_table.h"
#include "text_box.h"

using calc::Key;
using calc::Mode;
using namespace calc::ui;

namespace {

bool Inside(const QWidget* w) { return w->parentWidget()->rect().contains(w->geometry()); }

}  // namespace

class LayoutTest : public QObject, ProgramFixture {
    Q_OBJECT

private slots:
    void init() { StartProgram(); }
    void cleanup() { EndProgram(); }
    void window_data() { BothModes(); }
    void window() {
        QFETCH(Mode, mode);
        CalculatorWindow* w = Open(mode);
        QVERIFY(w && w->isVisible());

        // Frame: the client below the menu bar, minimizable (fixed size and place: tst_desktop).
        QCOMPARE(w->Client()->y(), w->Menu()->height());
        QCOMPARE(w->size(), QSize(w->Client()->width(), w->Client()->height() + w->Menu()->height()));
        QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);

        // The other controls inside their parents (the text boxes stay out of the focus chain: tst_keyboard).
        for (const ControlPlace& c : Controls(mode)) {
            QWidget* widget = w->ControlWidget(c.control);
            QVERIFY2(widget && widget->isVisible() && Inside(widget), c.objectName);
        }
        if (QWidget* box = w->ControlWidget(Control::Modifiers)) {  // untitled: its frame as near its top as its left
            const QImage f = box->grab().toImage();
            const int x = f.width() / 2, y = f.height() / 2;
            const QRgb outside = f.pixel(0, y);
            int top = 0, left = 0;
            while (top < y && f.pixel(x, top) == outside) ++top;
            while (left < x && f.pixel(left, y) == outside) ++left;
            QCOMPARE(top, left);
        }
        for (QWidget* c : w->Client()->findChildren<QWidget*>()) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(c);
            QVERIFY2(iface && !iface->text(QAccessible::Name).isEmpty(), qPrintable(c->objectName()));
        }

        // One key per table entry, inside the window, overlapping no other, with a name of its own.
        const auto table = calc::KeyTable(mode);
        QCOMPARE(w->Client()->findChildren<QPushButton*>().size(), qsizetype(table.size()));
        std::set<QString> names;
        for (std::size_t i = 0; i < table.size(); ++i) {
            const calc::KeyEntry& k = table[i];
            QPushButton* b = w->Buttons()[i];
            QVERIFY(b == w->Button(k.key) && b->isVisible() && Inside(b));
            QVERIFY2(names.insert(b->accessibleName()).second, k.caption);
            for (QPushButton* other : w->Buttons())
                QVERIFY2(other == b || !b->geometry().intersects(other->geometry()), k.caption);
        }
    }

    void fonts() {
        const QStringList& families = ChineseFamilies();
        const auto first = std::find_if(families.begin(), families.end(), [](const QString& f) {
            return QFontDatabase::families().contains(f, Qt::CaseInsensitive);
        });
        const QString family = first == families.end() ? QString() : *first;
        if (family.isEmpty()) QSKIP("no Chinese font of the fallback list is installed");
        // Every text of the standard window is in that font; of the scientific window only the display is, everything
        // else keeps the default font (a caption too wide for it is smaller).
        CalculatorWindow* w = Open(Mode::Standard);
        QVERIFY(w);
        for (QWidget* c :
             QList<QWidget*>{w->Display(), w->MemoryIndicator(), w->Button(Key::Digit0), w->Button(Key::BackSpace)})
            QCOMPARE(QFontInfo(c->font()).family(), family);
        w = Open(Mode::Scientific);
        QVERIFY(w);
        QCOMPARE(QFontInfo(w->Display()->font()).family(), family);
        for (QWidget* c : QList<QWidget*>{w->ParenIndicator(), w->MemoryIndicator(), w->Inverse(), w->Hyperbolic(),
                                          w->Button(Key::Digit0), w->Button(Key::Clear)})
            QCOMPARE(c->font(), QApplication::font());
    }

    // Screen readers read what the display and the indicators show, and know the windows for what they are.
    void displayAccessibleValue() {
        CalculatorWindow* w = Open(Mode::Scientific);
        QVERIFY(w);
        for (Key k : {Key::OpenParen, Key::Digit1, Key::Digit2, Key::MemoryStore}) w->Button(k)->click();
        WaitUntilIdle(*program_);
        QStringList shown;
        for (TextBox* box : {w->Display(), w->ParenIndicator(), w->MemoryIndicator()}) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
            QAccessibleTextInterface* text = iface->textInterface();
            QVERIFY(text && iface->state().readOnly && !iface->state().focusable);
            shown << text->text(0, text->characterCount()) << iface->text(QAccessible::Value);
        }
        QCOMPARE(shown, QStringList({"12", "12", "(=1", "(=1", "M", "M"}));
        QCOMPARE(QAccessible::queryAccessibleInterface(w)->role(), QAccessible::Window);
        AboutDialog about;
        QCOMPARE(QAccessible::queryAccessibleInterface(&about)->role(), QAccessible::Dialog);
    }

    // Fixed size, only a close box; every label inside the window, in the Chinese font.
    void about() {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("关于计算器"));
        const Qt::WindowFlags flags = about.windowFlags();
        QVERIFY((flags & Qt::WindowCloseButtonHint) && !(flags & Qt::WindowContextHelpButtonHint));
        // The platform line names the system it runs on.
        const QString platform = about.findChild<QLabel*>("platform")->text();
        QVERIFY(platform.startsWith(QStringLiteral("运行平台：")) && platform.size() > 5 && !platform.contains("Win"));
        for (const AboutControlDef& c : AboutControls()) {
            QWidget* widget = about.findChild<QWidget*>(c.objectName);
            QVERIFY2(widget && Inside(widget), c.objectName);
            auto* label = qobject_cast<QLabel*>(widget);
            if (!label) continue;
            QVERIFY(!label->text().trimmed().isEmpty());
            const QFontMetrics fm(label->font());
            for (const QChar ch : label->text()) QVERIFY2(fm.inFont(ch), qPrintable(QString(ch)));
        }
        // Labels whose text does not fit at this size get a smaller one; the introduction fits.
        QCOMPARE(about.findChild<QLabel*>("summary")->font().pointSizeF(), kAboutLabelPoints);
    }

    void captionsFit_data() {
        QTest::addColumn<int>("window");
        QTest::newRow("standard") << int(Mode::Standard);
        QTest::newRow("scientific") << int(Mode::Scientific);
        QTest::newRow("about") << -1;
    }

    // Each key, check box and About label shows its whole text, ascent and descent included, inside the rectangle its
    // style draws it in (ctest runs this at QT_SCALE_FACTOR 1, 1.5 and 2).
    void captionsFit() {
        QFETCH(int, window);
        AboutDialog about;
        QWidget* top = window < 0 ? static_cast<QWidget*>(&about) : Open(Mode(window));
        QStringList clipped;
        for (QWidget* w : top->findChildren<QWidget*>())
            if (!CaptionFits(w))
                clipped << (w->objectName().isEmpty() ? w->property("text").toString() : w->objectName());
        QCOMPARE(clipped.join(u'|'), QString());
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
