#pragma once
// Captions that keep their whole text inside fixed-size controls, whatever the font.
class QFont;
class QWidget;

namespace calc::ui {

// Whether the text of a push button, check box or label, ascent and descent included,
// fits the rectangle its style draws the text in, in `font` (the control's own when
// none is given). Any other widget has no caption and fits.
bool CaptionFits(const QWidget* control, const QFont* font = nullptr);

// Shrinks the font of such a control, a quarter point at a time, until its caption
// fits. A caption that fits keeps its font. Call it once the control has its font,
// style and geometry.
void FitCaption(QWidget* control);

}  // namespace calc::ui
