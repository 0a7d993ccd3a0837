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
#include <QStyleOption>
#include <QVBoxLayout>
#include <optional>

#include "accessibility.h"
#include "caption_fit.h"
#include "fonts.h"
#include "keyboard_focus.h"
#include "keypad/keypad_table.h"
#include "palette_colours.h"
#include "text_box.h"
#include "window_system.h"

namespace calc::ui {

namespace {

QString FromUtf8(const char* text) { return QString::fromUtf8(text); }

// The modifier box and its check boxes. The check boxes are narrow ("Hyp" gets 41
// pixels): a smaller gap between the box and its caption keeps the caption whole in the
// default font. The box has no title, and draws its frame itself along its edges, where
// styles would leave room for a title above it (how much differs between styles and
// their releases).
class ModifierStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        if (metric == PM_CheckBoxLabelSpacing) return qMin(2, QProxyStyle::pixelMetric(metric, option, widget));
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        if (control == CC_GroupBox)
            DrawEdge(*painter, option->rect, EdgeColour(option->palette));
        else
            QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

void SetText(TextBox* box, const std::optional<QString>& text) {
    if (box && text) box->setText(*text);
}

void SetChecked(QCheckBox* box, bool on) {
    if (!box) return;
    const QSignalBlocker block(box);
    box->setChecked(on);
}

}  // namespace

CalculatorWindow::CalculatorWindow(CalculatorThread& calculator, Mode mode)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      calculator_(calculator),
      mode_(mode) {
    InstallAccessibleFactory();
    const WindowFrame frame = Frame(mode);
    setObjectName(QLatin1String(frame.objectName));
    setWindowTitle(FromUtf8(frame.caption));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(Px(frame.clientWidth), Px(frame.clientHeight));
    layout->addWidget(client_);

    BuildMenus();
    BuildControls();
    BuildKeys();
    std::vector<QWidget*> controls(buttons_.begin(), buttons_.end());
    for (QWidget* box : {static_cast<QWidget*>(inverse_), static_cast<QWidget*>(hyperbolic_)})
        if (box) controls.push_back(box);
    InstallKeyboardFocus(this, menuBar_, controls);
    KeepFixedSize(this);
}

void CalculatorWindow::BuildMenus() {
    QMenu* menu = nullptr;
    QString menuCaption;
    for (const MenuItem& item : Menus(mode_)) {
        if (!menu || menuCaption != FromUtf8(item.menu)) {
            menuCaption = FromUtf8(item.menu);
            menu = menuBar_->addMenu(menuCaption);
        }
        QAction* action = menu->addAction(FromUtf8(item.caption));
        action->setObjectName(QLatin1String(item.objectName));
        if (*item.shortcut) action->setShortcut(QKeySequence(QLatin1String(item.shortcut), QKeySequence::PortableText));
        connect(action, &QAction::triggered, this, [this, command = item.command] { OnCommand(command); });
        actions_.emplace_back(item.command, action);
    }
}

void CalculatorWindow::BuildControls() {
    const bool standard = mode_ == Mode::Standard;
    QStyle* modifierStyle = nullptr;
    auto styleOfModifiers = [&] {
        if (!modifierStyle) {
            modifierStyle = new ModifierStyle;
            modifierStyle->setParent(this);
        }
        return modifierStyle;
    };
    // The table lists the frame of the modifier boxes before the boxes inside it.
    for (const ControlPlace& c : Controls(mode_)) {
        QWidget* w = nullptr;
        switch (c.control) {
            case Control::Modifiers:
                w = modifiers_ = new QGroupBox(client_);
                modifiers_->setStyle(styleOfModifiers());
                break;
            case Control::Inverse:
            case Control::Hyperbolic: {
                auto* box =
                    new QCheckBox(FromUtf8(c.caption), modifiers_ ? static_cast<QWidget*>(modifiers_) : client_);
                (c.control == Control::Inverse ? inverse_ : hyperbolic_) = box;
                box->setStyle(styleOfModifiers());
                connect(box, &QCheckBox::clicked, this, [this, which = c.control] { OnModifier(which); });
                w = box;
                break;
            }
            case Control::Display:
            case Control::MemoryIndicator:
            case Control::ParenIndicator: {
                auto* box = new TextBox(client_);
                if (c.control == Control::Display) {
                    box->setFont(ChineseFont(10.5, true));
                    box->setAlignment(Qt::AlignRight);
                    display_ = box;
                } else {
                    if (standard) box->setFont(ChineseFont(9, false));
                    box->setLook(TextBox::Look::Indicator);
                    (c.control == Control::MemoryIndicator ? memoryIndicator_ : parenIndicator_) = box;
                }
                box->setText(FromUtf8(c.caption));
                w = box;
                break;
            }
        }
        w->setObjectName(QLatin1String(c.objectName));
        w->setGeometry(PxRect(c.rect));
        w->setAccessibleName(FromUtf8(c.accessibleName));
        FitCaption(w);
    }
}

void CalculatorWindow::BuildKeys() {
    const QFont keyFont = ChineseFont(9, false);
    for (const KeyEntry& k : KeyTable(mode_)) {
        const KeyPlace& place = PlaceOf(mode_, k.key);
        auto* button = new QPushButton(FromUtf8(k.caption), client_);
        button->setGeometry(PxRect(place.rect));
        button->setAccessibleName(FromUtf8(place.accessibleName));
        button->setAutoDefault(false);
        if (mode_ == Mode::Standard) button->setFont(keyFont);
        FitCaption(button);
        connect(button, &QPushButton::clicked, this, [this, key = k.key] { OnKey(key); });
        buttons_.push_back(button);
    }
}

QPushButton* CalculatorWindow::Button(Key key) const {
    const auto table = KeyTable(mode_);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].key == key) return buttons_[i];
    }
    return nullptr;
}

QAction* CalculatorWindow::Action(Command command) const {
    for (const auto& [c, action] : actions_) {
        if (c == command) return action;
    }
    return nullptr;
}

QWidget* CalculatorWindow::ControlWidget(ui::Control control) const {
    switch (control) {
        case Control::Display: return display_;
        case Control::MemoryIndicator: return memoryIndicator_;
        case Control::ParenIndicator: return parenIndicator_;
        case Control::Modifiers: return modifiers_;
        case Control::Inverse: return inverse_;
        case Control::Hyperbolic: return hyperbolic_;
    }
    return nullptr;
}

void CalculatorWindow::Show(const WindowView& view) {
    SetText(display_, view.display);
    SetText(memoryIndicator_, view.memory);
    SetText(parenIndicator_, view.paren);
    SetChecked(inverse_, view.inverse);
    SetChecked(hyperbolic_, view.hyperbolic);
}

void CalculatorWindow::Post(CalculatorThread::Action action, Bearing bearing) {
    if (!retired_) calculator_.Post(mode_, std::move(action), bearing);
}

void CalculatorWindow::OnKey(Key key) {
    Post([key](Calculator& c) { c.Press(key); }, Calculator::BearingOfPress(key));
}

void CalculatorWindow::PressIndex(int index) {
    Post([index](Calculator& c) { c.PressIndex(index); }, Calculator::BearingOfPressIndex(mode_, index));
}

// A click on a box toggles the core's modifier: one queued behind a long key toggles
// what that key left, as it would have had the key been instant.
void CalculatorWindow::OnModifier(ui::Control box) {
    if (mode_ != Mode::Scientific) return;
    const ModifierBox which = box == Control::Inverse ? ModifierBox::Inverse : ModifierBox::Hyperbolic;
    Post([which](Calculator& c) { c.ToggleModifier(which); }, Calculator::kToggleModifierBearing);
}

void CalculatorWindow::OnCommand(Command command) {
    switch (command) {
        case Command::Copy: return Post([](Calculator& c) { c.CopyDisplay(); });
        case Command::Paste: return Post([](Calculator& c) { c.PasteClipboard(); }, Calculator::kPasteBearing);
        case Command::ShowScientific:
        case Command::ShowStandard: {
            // The view of the other keypad opens its window (Shell).
            const Mode mode = command == Command::ShowScientific ? Mode::Scientific : Mode::Standard;
            return Post([mode](Calculator& c) { c.ShowMode(mode); }, Calculator::BearingOfShowMode(mode_, mode));
        }
        case Command::About: return emit AboutRequested();
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
    if (!retired_) emit ClosedByUser();
}

}  // namespace calc::ui
