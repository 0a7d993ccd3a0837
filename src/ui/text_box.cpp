#include "text_box.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>
#include <utility>

#include "accessibility.h"
#include "palette_colours.h"

namespace calc::ui {

namespace {

constexpr int kTextMargin = 4;  // from each side of the box to its text, the edge included

}  // namespace

TextBox::TextBox(QWidget* parent) : QWidget(parent) {
    InstallAccessibleFactory();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TextBox::setText(const QString& text) {
    if (text == text_) return;
    const QString before = std::exchange(text_, text);
    update();
    if (QAccessible::isActive()) {
        // The whole text is replaced: screen readers hear the new text.
        QAccessibleTextUpdateEvent event(this, 0, before, text_);
        QAccessible::updateAccessibility(&event);
    }
}

void TextBox::setLook(Look look) {
    look_ = look;
    update();
}

void TextBox::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

QRect TextBox::TextRect() const { return rect().adjusted(kTextMargin, 1, -kTextMargin, -1); }

QString TextBox::visibleText() const {
    const qsizetype n = text_.size();
    const int avail = TextRect().width();
    const QFontMetrics fm(font());
    const bool fromEnd = !(alignment_ & Qt::AlignLeft);
    // Double the piece until it is wider than the box (or is the whole text): the
    // cost depends on the box's width, not on the length of the text.
    qsizetype take = qMin<qsizetype>(n, 32);
    while (take < n) {
        const QString piece = fromEnd ? text_.right(take) : text_.left(take);
        if (fm.horizontalAdvance(piece) > avail) break;
        take = qMin(n, take * 2);
    }
    if (take == n) return text_;
    QString piece = fromEnd ? text_.right(take) : text_.left(take);
    // Never start or end on half of a surrogate pair.
    if (fromEnd && !piece.isEmpty() && piece.front().isLowSurrogate()) piece.remove(0, 1);
    if (!fromEnd && !piece.isEmpty() && piece.back().isHighSurrogate()) piece.chop(1);
    return piece;
}

void TextBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const BoxColours colours = look_ == Look::Indicator ? IndicatorColours(palette()) : DisplayColours(palette());
    p.fillRect(rect(), colours.background);
    DrawEdge(p, rect(), EdgeColour(palette()));
    const QRect r = TextRect();
    p.setClipRect(r);
    p.setPen(colours.text);
    p.drawText(r, int(alignment_) | Qt::AlignVCenter | Qt::TextSingleLine, visibleText());
}

QSize TextBox::sizeHint() const {
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(QLatin1Char('x')) * 17, fm.height() + 6);
}

QSize TextBox::minimumSizeHint() const {
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(QLatin1Char('x')) * 2, fm.height() + 2);
}

}  // namespace calc::ui
