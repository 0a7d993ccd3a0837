#pragma once
// Captions that keep their whole text inside fixed-size controls, whatever the font.
class QWidget;

namespace calc::ui {

// Shrinks the font of a push button, check box or label, a quarter point at a time, until
// its text, ascent and descent included, fits the rectangle its style draws the text in.
// A caption that fits keeps its font. Call it once the control has its font, style and
// geometry; any other widget is left alone.
void FitCaption(QWidget* control);

}  // namespace calc::ui
