#pragma once
// The layout of the three windows, in twips (15 twips make a pixel at 96 dpi), and the
// index-to-caption tables of both keypads. One table serves the Qt windows, the
// headless driver and the tests.
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace calc {

enum class WindowKind { Standard, Scientific };

struct TwipRect {
    int left, top, width, height;
};

struct KeyDef {
    int index;
    const char* caption;
    TwipRect rect;
    const char* accessibleName;  // what a screen reader announces
};

// Keys of each keypad, ordered by index (position i holds index i).
std::span<const KeyDef> Keypad(WindowKind window);

// The index of the key with this caption in the window's keypad, or -1.
int FindKey(WindowKind window, std::string_view caption);

// Any other control of a window.
struct ControlDef {
    const char* name;            // Text1, Text2, Frame1, Check1, ...
    const char* caption;         // check box caption or initial text, "" otherwise
    TwipRect rect;               // relative to the client area, or to Frame1 for Check1/Check2
    const char* accessibleName;
};

struct WindowDef {
    const char* name;       // Form1, Form2, Form3
    const char* caption;
    int clientWidth, clientHeight;  // twips
};

WindowDef Window(WindowKind window);
WindowDef AboutWindow();
std::span<const ControlDef> Controls(WindowKind window);

struct MenuItemDef {
    const char* menu;      // "编辑 (&E)", "查看 (&V)", "帮助 (&H)"
    const char* name;      // mnuCopy, mnuPaste, mnuScience, mnuStandard, mnuAbout
    const char* caption;
    const char* shortcut;  // "Ctrl+C", "Ctrl+V" or ""
};
std::span<const MenuItemDef> Menus(WindowKind window);

}  // namespace calc
