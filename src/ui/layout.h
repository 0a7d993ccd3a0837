#pragma once
// Where everything stands in the two calculator windows, what a screen reader calls
// it, and their menus. The keys' captions and order come from the keypad tables.
#include <span>

#include "keypad/key.h"
#include "twips.h"

namespace calc::ui {

struct KeyPlace {
    Key key;
    TwipRect rect;
    const char* accessibleName;  // what a screen reader announces
};

// The controls of a window besides its keys.
enum class Control { Display, MemoryIndicator, ParenIndicator, Modifiers, Inverse, Hyperbolic };

struct ControlPlace {
    Control control;
    const char* objectName;
    const char* caption;  // check box caption or initial text, "" otherwise
    TwipRect rect;        // relative to the client area; Inverse and Hyperbolic to Modifiers
    const char* accessibleName;
};

struct WindowFrame {
    const char* objectName;
    const char* caption;
    int clientWidth, clientHeight;  // twips
};

enum class Command { Copy, Paste, ShowScientific, ShowStandard, About };

struct MenuItem {
    const char* menu;  // "编辑 (&E)", "查看 (&V)", "帮助 (&H)"
    Command command;
    const char* objectName;
    const char* caption;
    const char* shortcut;  // "Ctrl+C", "Ctrl+V" or ""
};

WindowFrame Frame(Mode mode);
std::span<const KeyPlace> KeyPlaces(Mode mode);
// The place of a key of the mode's keypad.
const KeyPlace& PlaceOf(Mode mode, Key key);
std::span<const ControlPlace> Controls(Mode mode);
std::span<const MenuItem> Menus(Mode mode);

}  // namespace calc::ui
