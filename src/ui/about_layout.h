#pragma once
// The About window's controls, in twips like the calculator windows' tables.
#include <span>

#include "layout.h"

namespace calc::ui {

// A platform label shows its text followed by the name of the system the program runs on.
enum class AboutKind { Label, WrappedLabel, PlatformLabel, Line, Button };

struct AboutControlDef {
    const char* objectName;
    AboutKind kind;
    TwipRect rect;  // a line is drawn along the top edge of its rectangle
    const char* text;
};

std::span<const AboutControlDef> AboutControls();
WindowFrame AboutFrame();

// Labels use 10.5 pt bold, the button 9 pt bold, both in the Chinese font; a text that
// would not fit its rectangle at that size gets a smaller one (caption_fit.h).
constexpr double kAboutLabelPoints = 10.5;
constexpr double kAboutButtonPoints = 9;

}  // namespace calc::ui
