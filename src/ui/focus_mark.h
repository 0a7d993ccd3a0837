#pragma once
// What shows a key or check box whatever the theme: its edge (and a check box's square) in the
// edge colour of palette_colours.h, and a focus mark, a solid ring 2 pixels wide (scaled with the
// screen) in the palette's button-text colour, drawn while the control has the focus and the window
// is being used with the keyboard (the style's own dotted mark is faint).
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
