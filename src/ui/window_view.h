#pragma once
// What a calculator window shows, as the calculator thread sends it after its work:
// converted to Qt's texts there, so the GUI thread only puts it on screen.
#include <QString>
#include <optional>

#include "keypad/key.h"

namespace calc::ui {

struct WindowView {
    Mode mode = Mode::Standard;
    // The keypad was loaded anew (program start, a switch of window): a new window shows
    // this view, and every text below is given.
    bool newWindow = false;
    // Only the texts that changed since the last view.
    std::optional<QString> display, memory, paren;
    bool inverse = false, hyperbolic = false;  // scientific only
};

}  // namespace calc::ui
