#pragma once
// Whether the windows have a display to open on, found out before the QApplication exists: Qt aborts
// when its platform cannot connect. Both programs (calculator, calc-script-gui) ask this first.
#include <string>

namespace calc::ui {

struct DisplayCheck {
    bool chosen = false;      // -platform NAME or QT_QPA_PLATFORM names the platforms
    bool configured = false;  // the session names a display (DISPLAY or WAYLAND_DISPLAY)
    bool usable = false;      // one of the platforms can connect
    std::string tried;        // what was tried and why it failed, one line: "X :87 (...); Wayland ..."
};

// The platforms are those chosen, else the session's: Wayland first in a Wayland session, then X. A
// display is usable when a connection to it succeeds (the Wayland socket, X's local socket or TCP port);
// Wayland also needs Qt's Wayland plugin; the other platforms (offscreen, vnc...) need no display.
// Unless chosen, QT_QPA_PLATFORM is set to the usable ones, so Qt never tries one that fails.
// A missing, foreign or open XDG_RUNTIME_DIR is replaced by a private one (0700, the user's own), as
// Qt would otherwise warn.
DisplayCheck PrepareDisplay(int argc, char** argv);

// The message and status of the calculator when PrepareDisplay finds no display.
std::string NoDisplayMessage(const DisplayCheck& check);
inline constexpr int kNoDisplayStatus = 1;

}  // namespace calc::ui
