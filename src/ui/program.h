#pragma once
// The running program: the Qt platform, the calculator on its thread
// (calculator_thread.h) and its windows.
// Construct it after the QApplication; Start() opens the standard window.
#include <optional>

#include "app/calculator.h"
#include "calculator_thread.h"
#include "display_check.h"
#include "qt_platform.h"
#include "shell.h"

namespace calc::ui {

// The command line, read before the QApplication exists, so that it needs no display:
// -h/--help and -v/--version print to standard output (exit code 0, or kOutputErrorStatus
// when it cannot be written); an unknown option, named as given, or a stray argument is
// reported on standard error with a hint and kUsageStatus. Qt's own options (-platform
// NAME, -style NAME, -reverse ...) are left to the QApplication. Returns the exit code
// when the program ends here, nothing when it goes on to open its window.
std::optional<int> ReadCommandLine(int argc, char** argv);
inline constexpr int kUsageStatus = 2;
inline constexpr int kOutputErrorStatus = 2;

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
