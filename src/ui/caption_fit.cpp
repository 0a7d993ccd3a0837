#include "caption_fit.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace calc::ui {

namespace {

constexpr qreal kStepPoints = 0.25;
constexpr qreal kSmallestPoints = 6;  // a caption this small is clipped rather than shrunk further

}  // namespace

bool CaptionFits(const QWidget* control, const QFont* font) {
    QStyleOptionButton option;
    option.initFrom(control);
    QRect room;
    int flags = Qt::AlignCenter;
    if (auto* button = qobject_cast<const QPushButton*>(control)) {
        if (button->autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
        room = control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control);
    } else if (qobject_cast<const QCheckBox*>(control)) {
        room = control->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, control);
        flags = Qt::AlignLeft | Qt::AlignVCenter;
    } else if (auto* label = qobject_cast<const QLabel*>(control)) {
        room = label->contentsRect();
        flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    } else {
        return true;
    }
    const QRectF roomF(room);
    const QFontMetricsF metrics(font ? *font : control->font());
    return roomF.contains(metrics.boundingRect(roomF, flags, control->property("text").toString()));
}

void FitCaption(QWidget* control) {
    QFont font = control->font();
    while (font.pointSizeF() - kStepPoints >= kSmallestPoints && !CaptionFits(control, &font)) {
        font.setPointSizeF(font.pointSizeF() - kStepPoints);
    }
    if (font != control->font()) control->setFont(font);
}

}  // namespace calc::ui
