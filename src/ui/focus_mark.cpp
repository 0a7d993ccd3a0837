#include "focus_mark.h"

#include <QPainter>
#include <QStyleOption>

#include "palette_colours.h"

namespace calc::ui {

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton && element != CE_CheckBox) return;
    const bool key = element == CE_PushButton;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    const QRect square = key ? option->rect : subElementRect(SE_CheckBoxIndicator, option, widget);
    DrawEdge(*painter, square, EdgeColour(option->palette));
    const State keyboardFocus = State_HasFocus | State_KeyboardFocusChange;
    if ((option->state & keyboardFocus) == keyboardFocus) {
        // Inside a key's edge, on its face; along the edges of a check box.
        const int inset = key ? 1 : 0;
        const QRect ring = option->rect.adjusted(inset, inset, -inset, -inset);
        const QColor colour = option->palette.color(QPalette::ButtonText);
        painter->fillRect(QRect(ring.left(), ring.top(), ring.width(), kWidth), colour);
        painter->fillRect(QRect(ring.left(), ring.bottom() + 1 - kWidth, ring.width(), kWidth), colour);
        painter->fillRect(QRect(ring.left(), ring.top(), kWidth, ring.height()), colour);
        painter->fillRect(QRect(ring.right() + 1 - kWidth, ring.top(), kWidth, ring.height()), colour);
    }
    painter->restore();
}

}  // namespace calc::ui
