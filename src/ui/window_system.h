#pragma once
// What our fixed-size windows ask of the window system, and how they answer it.
#include <QPoint>
#include <optional>

class QWidget;

namespace calc::ui {

// Keeps a fixed-size top-level window at its size whatever asks to maximize it or make it full
// screen (a title-bar button, a double click, a compositor shortcut, showMaximized()): the request
// is taken back at once. Some window systems draw a maximize button on every window (Qt 6.4's
// decorations on Wayland do), and a Wayland compositor disconnects a client whose surface does not
// fill the maximized size it configured: there the window follows that size until the compositor
// has confirmed the return to normal, then takes its own size back. Minimize keeps working.
void KeepFixedSize(QWidget* window);

// Closes `window` when it is minimized. For a dialog its owner waits for: Wayland has no way for a
// program to bring a minimized window back, and the owner must never wait for one the user cannot see.
void CloseWhenMinimized(QWidget* window);

// Shows `window` with its frame's top-left corner at `at` (kept on the screen), or centred on its
// screen when there is no `at`. Window systems that place windows themselves (Wayland) ignore both.
void PlaceAndShow(QWidget* window, std::optional<QPoint> at);

}  // namespace calc::ui
