// The windows as the user sees them: built from their tables, fonts, the About window,
// every caption fitting its control, readable and outlined in every theme, and what a screen reader can reach.
#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QStyleOptionButton>
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

// The contrast of the pixel of `area` that stands out most from its top-left one, the background of the text in it.
double InkContrast(const QImage& shot, const QRect& area) {
    double most = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            most = qMax(most, Contrast(shot.pixel(x, y), shot.pixel(area.topLeft())));
    return most;
}

}  // namespace

class LayoutTest : public QObject, ProgramFixture {
    Q_OBJECT

private slots:
    void init() { StartProgram(); }
    void cleanup() {
        EndProgram();
        QApplication::setPalette(QApplication::style()->standardPalette());
    }
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

    void captionsFitAndRead_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<int>("window");
        const QPalette themes[]{QApplication::style()->standardPalette(), QPalette(QColor(50, 50, 50)),
                                QPalette(Qt::white, Qt::black, Qt::white, Qt::white, Qt::white, Qt::white, Qt::white,
                                         Qt::black, Qt::black)};  // light, dark, white on black
        for (int i : {0, 1, 2})
            for (int window : {int(Mode::Standard), int(Mode::Scientific), -1})
                QTest::addRow("%s, window %d", std::array{"light", "dark", "contrast"}[i], window)
                    << themes[i] << window;
    }

    // At QT_SCALE_FACTOR 1, 1.5 and 2 (ctest), in a light, a dark and a high-contrast theme taken while the window is
    // open: each caption shows whole, ascent and descent included, in the rectangle its style draws it in; every text
    // (both indicators showing) reads at 4.5:1 on the pixels behind it; every side of each control's edge, the check
    // squares' and the modifier frame's stands out at 3:1 from the pixels outside it.
    void captionsFitAndRead() {
        QFETCH(QPalette, palette);
        QFETCH(int, window);
        AboutDialog about;
        QWidget* top = window < 0 ? static_cast<QWidget*>(&about) : Open(Mode(window));
        if (auto* w = qobject_cast<CalculatorWindow*>(top)) {
            for (Key k : {Key::OpenParen, Key::OpenParen, Key::Digit1, Key::MemoryStore})
                if (w->Button(k)) w->Button(k)->click();
            WaitUntilIdle(*program_);
        }
        QApplication::setPalette(palette);
        QCoreApplication::processEvents();  // the widgets hear of the change
        const QImage shot = top->grab().toImage();
        const QTransform scale = QTransform::fromScale(shot.devicePixelRatio(), shot.devicePixelRatio());
        auto onShot = [&](const QWidget* c, const QRect& r) {  // from `c`'s coordinates to the pixels of the shot
            return scale.mapRect(QRectF(r.translated(c->mapTo(top, QPoint())))).toAlignedRect();
        };
        QStringList faults;
        for (QWidget* c : top->findChildren<QWidget*>()) {
            const QString name = c->objectName().isEmpty() ? c->property("text").toString() : c->objectName();
            if (!CaptionFits(c)) faults << name + " clipped";
            const bool framed = qobject_cast<QPushButton*>(c) || qobject_cast<TextBox*>(c);
            QRect text = framed ? c->rect().adjusted(4, 4, -4, -4) : qobject_cast<QLabel*>(c) ? c->rect() : QRect();
            QRect edge = framed || qobject_cast<QGroupBox*>(c) ? c->rect() : QRect();
            if (auto* box = qobject_cast<QCheckBox*>(c)) {
                QStyleOptionButton option;
                option.initFrom(box);
                text = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
                edge = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
            }
            if (!text.isEmpty() && InkContrast(shot, onShot(c, text)) < 4.5) faults << name + " text";
            if (!edge.isEmpty() && EdgeRun(shot, onShot(c, edge), 3) < 1) faults << name + " edge";
        }
        QCOMPARE(faults.join(u'|'), QString());
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
