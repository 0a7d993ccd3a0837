#pragma once
// The focus mark of keys and check boxes: a solid ring 2 pixels wide (scaled with the screen) in
// the palette's button-text colour, drawn whenever the control has the focus, however the focus
// came (the style's own dotted mark shows only after a Tab, and is faint).
#include <QProxyStyle>

namespace calc::ui {

class FocusMarkStyle : public QProxyStyle {
public:
    static constexpr int kWidth = 2;
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace calc::ui
