#include "text_box.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <utility>

#include "accessibility.h"

namespace calc::ui {

namespace {

constexpr int kTextMargin = 2;

}  // namespace

TextBox::TextBox(QWidget* parent) : QWidget(parent) {
    InstallAccessibleFactory();
    setFocusPolicy(Qt::NoFocus);
    setBackgroundRole(QPalette::Base);
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

void TextBox::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

QRect TextBox::TextRect() const {
    QStyleOptionFrame opt;
    opt.initFrom(this);
    opt.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this);
    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &opt, this);
    if (!r.isValid()) r = rect().adjusted(opt.lineWidth, opt.lineWidth, -opt.lineWidth, -opt.lineWidth);
    return r.adjusted(kTextMargin, 0, -kTextMargin, 0);
}

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
    QStyleOptionFrame opt;
    opt.initFrom(this);
    opt.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, this);
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken | QStyle::State_ReadOnly;
    opt.state &= ~QStyle::State_HasFocus;
    p.fillRect(rect(), palette().brush(QPalette::Base));
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opt, &p, this);

    const QRect r = TextRect();
    p.setClipRect(r);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
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
