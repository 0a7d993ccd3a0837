#include "focus_mark.h"

#include <QPainter>
#include <QStyleOption>

namespace calc::ui {

void FocusMarkStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if ((element != CE_PushButton && element != CE_CheckBox) || !(option->state & State_HasFocus)) return;
    // Inside a key's own one-pixel border, on its face; along the edges of a check box.
    const int inset = element == CE_PushButton ? 1 : 0;
    const QRect ring = option->rect.adjusted(inset, inset, -inset, -inset);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    const QColor colour = option->palette.color(QPalette::ButtonText);
    painter->fillRect(QRect(ring.left(), ring.top(), ring.width(), kWidth), colour);
    painter->fillRect(QRect(ring.left(), ring.bottom() + 1 - kWidth, ring.width(), kWidth), colour);
    painter->fillRect(QRect(ring.left(), ring.top(), kWidth, ring.height()), colour);
    painter->fillRect(QRect(ring.right() + 1 - kWidth, ring.top(), kWidth, ring.height()), colour);
    painter->restore();
}

}  // namespace calc::ui
