#include "calculator_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cstring>

#include "fonts.h"
#include "text_box.h"
#include "twips.h"

namespace calc::ui {

namespace {

// The indicator boxes have the classic scroll-bar grey as their background.
const QColor kIndicatorGrey(0xC8, 0xC8, 0xC8);

QString U(const char* text) { return QString::fromUtf8(text); }

// The check boxes are narrow ("Hyp" gets 41 pixels): a smaller gap between the box
// and its caption keeps the caption whole in the default font.
class CompactCheckStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_CheckBoxLabelSpacing) return qMin(2, QProxyStyle::pixelMetric(metric, option, widget));
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

void SetIfChanged(TextBox* box, std::string& shown, const std::string& now) {
    if (!box || shown == now) return;
    shown = now;
    box->setText(QString::fromStdString(now));
}

}  // namespace

CalculatorWindow::CalculatorWindow(Application& app, WindowKind kind)
    : QWidget(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      app_(app),
      kind_(kind) {
    const WindowDef def = Window(kind);
    setObjectName(QLatin1String(def.name));
    setWindowTitle(U(def.caption));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(Px(def.clientWidth), Px(def.clientHeight));
    layout->addWidget(client_);

    BuildMenus();
    BuildControls();
    BuildKeys();
    connect(&command1_, &ControlArray::clicked, this, &CalculatorWindow::OnKey);
    Sync();
}

void CalculatorWindow::BuildMenus() {
    QMenu* menu = nullptr;
    QString menuCaption;
    for (const MenuItemDef& item : Menus(kind_)) {
        if (!menu || menuCaption != U(item.menu)) {
            menuCaption = U(item.menu);
            menu = nullptr;
            for (QAction* a : menuBar_->actions()) {
                if (a->menu() && a->text() == menuCaption) menu = a->menu();
            }
            if (!menu) menu = menuBar_->addMenu(menuCaption);
        }
        QAction* action = menu->addAction(U(item.caption));
        action->setObjectName(QLatin1String(item.name));
        if (item.shortcut && *item.shortcut) {
            action->setShortcut(QKeySequence(QLatin1String(item.shortcut), QKeySequence::PortableText));
        }
        connect(action, &QAction::triggered, this, [this, name = std::string(item.name)] { OnMenu(name); });
    }
}

void CalculatorWindow::BuildControls() {
    const bool standard = kind_ == WindowKind::Standard;
    // The frame first: the check boxes are placed inside it.
    for (const ControlDef& c : Controls(kind_)) {
        if (std::strcmp(c.name, "Frame1") != 0) continue;
        frame1_ = new QGroupBox(client_);
        frame1_->setObjectName(QLatin1String(c.name));
        frame1_->setGeometry(PxRect(c.rect));
        frame1_->setAccessibleName(U(c.accessibleName));
    }
    QStyle* checkStyle = nullptr;
    for (const ControlDef& c : Controls(kind_)) {
        const QString name = QLatin1String(c.name);
        QWidget* w = nullptr;
        if (name == QLatin1String("Check1") || name == QLatin1String("Check2")) {
            auto* box = new QCheckBox(U(c.caption), frame1_ ? static_cast<QWidget*>(frame1_) : client_);
            const int which = name == QLatin1String("Check1") ? 1 : 2;
            (which == 1 ? check1_ : check2_) = box;
            if (!checkStyle) {
                checkStyle = new CompactCheckStyle;
                checkStyle->setParent(this);
            }
            box->setStyle(checkStyle);
            connect(box, &QCheckBox::clicked, this, [this, which](bool on) { OnCheck(which, on); });
            w = box;
        } else if (name.startsWith(QLatin1String("Text"))) {
            auto* box = new TextBox(client_);
            if (name == QLatin1String("Text1")) {
                box->setFont(ChineseFont(10.5, true));
                box->setAlignment(Qt::AlignRight);
                text1_ = box;
            } else {
                if (standard) box->setFont(ChineseFont(9, false));
                QPalette pal = box->palette();
                pal.setColor(QPalette::Base, kIndicatorGrey);
                box->setPalette(pal);
                (name == QLatin1String("Text2") ? text2_ : text3_) = box;
            }
            box->setText(U(c.caption));
            w = box;
        } else {
            continue;  // Frame1, built above
        }
        w->setObjectName(name);
        w->setGeometry(PxRect(c.rect));
        w->setAccessibleName(U(c.accessibleName));
    }
}

void CalculatorWindow::BuildKeys() {
    const bool standard = kind_ == WindowKind::Standard;
    const QFont keyFont = ChineseFont(9, false);
    for (const KeyDef& k : Keypad(kind_)) {
        auto* button = new QPushButton(U(k.caption), client_);
        button->setObjectName(QStringLiteral("Command1_%1").arg(k.index));
        button->setGeometry(PxRect(k.rect));
        button->setAccessibleName(U(k.accessibleName));
        button->setAutoDefault(false);
        if (standard) button->setFont(keyFont);
        const int index = k.index;
        connect(button, &QPushButton::clicked, this, [this, index] { command1_.click(index); });
        if (index >= 0) {
            if (std::size_t(index) >= keys_.size()) keys_.resize(std::size_t(index) + 1, nullptr);
            keys_[std::size_t(index)] = button;
        }
    }
}

QPushButton* CalculatorWindow::key(int index) const {
    if (index < 0 || std::size_t(index) >= keys_.size()) return nullptr;
    return keys_[std::size_t(index)];
}

QAction* CalculatorWindow::action(const char* name) const {
    return menuBar_->findChild<QAction*>(QLatin1String(name));
}

QWidget* CalculatorWindow::control(const char* name) const {
    return client_->findChild<QWidget*>(QLatin1String(name));
}

void CalculatorWindow::Sync() {
    if (retired_) return;
    if (kind_ == WindowKind::Standard) {
        const StandardWindow* form = app_.Form1();
        if (!form) return;
        SetIfChanged(text1_, shown1_, form->Text1());
        SetIfChanged(text2_, shown2_, form->Text2());
        return;
    }
    const ScientificWindow* form = app_.Form2();
    if (!form) return;
    SetIfChanged(text1_, shown1_, form->Text1());
    SetIfChanged(text2_, shown2_, form->Text2());
    SetIfChanged(text3_, shown3_, form->Text3());
    if (check1_) {
        const QSignalBlocker block(check1_);
        check1_->setChecked(form->Check1() != 0);
    }
    if (check2_) {
        const QSignalBlocker block(check2_);
        check2_->setChecked(form->Check2() != 0);
    }
}

void CalculatorWindow::OnKey(int index) {
    if (retired_ || app_.Current() != kind_) return;
    app_.Click(index);
    Sync();
}

void CalculatorWindow::OnCheck(int which, bool checked) {
    if (retired_) return;
    if (ScientificWindow* form = app_.Form2()) {
        if (which == 1) form->SetCheck1(checked ? 1 : 0);
        else form->SetCheck2(checked ? 1 : 0);
    }
    Sync();
}

void CalculatorWindow::OnMenu(const std::string& name) {
    if (retired_) return;
    if (name == "mnuCopy") {
        app_.mnuCopy_Click();
    } else if (name == "mnuPaste") {
        app_.mnuPaste_Click();
        Sync();
    } else if (name == "mnuScience") {
        app_.mnuScience_Click();  // retires this window
    } else if (name == "mnuStandard") {
        app_.mnuStandard_Click();  // retires this window
    } else if (name == "mnuAbout") {
        emit aboutRequested();
    }
}

void CalculatorWindow::Retire() {
    if (retired_) return;
    retired_ = true;
    hide();
    deleteLater();
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!retired_) emit closedByUser();
}

}  // namespace calc::ui
