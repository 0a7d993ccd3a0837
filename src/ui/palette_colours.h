#pragma once
// The colours of what the windows paint themselves: the display, the indicators and the edges of
// the controls. All of them come from the palette in force when a widget paints, so they follow the
// user's theme (light, dark or high contrast) and a change of theme while the program runs; no
// colour is fixed here.
#include <QColor>

class QPainter;
class QPalette;
class QRect;

namespace calc::ui {

// The contrast of two colours as WCAG measures it: 1 for the same colour, 21 for black on white.
double Contrast(const QColor& a, const QColor& b);

struct BoxColours {
    QColor background, text;
};

// The display: the theme's text-field colours.
BoxColours DisplayColours(const QPalette& palette);
// The memory and parenthesis indicators: the theme's shade for scroll-bar troughs and other control
// surfaces (Midlight), as the classic scroll-bar grey is in the light theme.
// Each takes the first background that, with its own text colour or the best of the theme's other
// text colours, reads at 4.5:1; in a theme where none does, the pair that reads best.
BoxColours IndicatorColours(const QPalette& palette);

// The edge of a control: the window's text colour mixed into the window's colour until the line
// stands out from the window at 3:1.
QColor EdgeColour(const QPalette& palette);
// A line one pixel wide (scaled with the screen) along all four sides of `rect`, inside it.
void DrawEdge(QPainter& painter, const QRect& rect, const QColor& colour);

}  // namespace calc::ui
