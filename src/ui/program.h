#pragma once
// The running program: the Qt platform, the calculator on its thread
// (calculator_thread.h) and its windows.
// Construct it after the QApplication; Start() opens the standard window.
#include <optional>

#include "app/calculator.h"
#include "calculator_thread.h"
#include "qt_platform.h"
#include "shell.h"

namespace calc::ui {

// The command line, read before the QApplication exists, so that it needs no display:
// -h/--help and -v/--version print to standard output; an unknown option or a stray
// argument is reported on standard error with exit code 2. Qt's own options (-platform
// NAME, -style NAME, -reverse ...) are left to the QApplication. Returns the exit code
// when the program ends here, nothing when it goes on to open its window.
std::optional<int> ReadCommandLine(int argc, char** argv);

// Whether the windows have a display to open on, checked before the QApplication exists (Qt aborts when
// its platform finds none). The platform is the one of -platform NAME or QT_QPA_PLATFORM (`chosen`),
// else the one Qt picks for the session: Wayland when the session is one, then X. X needs DISPLAY;
// Wayland needs Qt's Wayland plugin and WAYLAND_DISPLAY (or the default socket); the other platforms
// (offscreen, vnc, ...) need no display.
struct DisplayCheck {
    bool chosen = false;
    bool usable = false;
};
DisplayCheck CheckDisplay(int argc, char** argv);

// The message and status of the calculator when CheckDisplay finds no display.
inline constexpr char kNoDisplay[] =
    "calculator：找不到可用的图形显示（未设置 X 显示 DISPLAY；Wayland 显示未设置或未安装 qt6-wayland），"
    "无法打开窗口。\n";
inline constexpr int kNoDisplayStatus = 1;

class Program {
public:
    // Turns off Qt's quit-on-last-window-closed: between the hiding of one calculator
    // window and the showing of the other no window is open. The program ends when
    // the user closes the open calculator window (the Shell's QuitRequested).
    Program();
    // Stops the running work first, so that the program ends at once even during a long key.
    ~Program();

    void Start() { calculator_.Start(); }

    QtPlatform& Desktop() { return platform_; }
    // The calculator and whether its work is done (see CalculatorThread).
    Calculator& Core() { return calculator_.Core(); }
    bool Idle() const { return calculator_.Idle(); }
    CalculatorWindow* Window() const { return shell_.Window(); }

private:
    QtPlatform platform_;
    CalculatorThread calculator_;
    Shell shell_;
};

}  // namespace calc::ui
