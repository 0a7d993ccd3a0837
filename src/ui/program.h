#pragma once
// The running program: the Qt platform, the core application and its windows.
// Construct it after the QApplication; Start() opens the standard window.
#include "app/application.h"
#include "qt_platform.h"
#include "shell.h"

namespace calc::ui {

class Program {
public:
    // Turns off Qt's quit-on-last-window-closed: between the hiding of one calculator
    // window and the showing of the other no window is open. The program ends when
    // the user closes the open calculator window (the Shell's quitRequested).
    Program();

    void Start() { app_.Main(); }

    QtPlatform& platform() { return platform_; }
    Application& app() { return app_; }
    Shell& shell() { return shell_; }
    CalculatorWindow* window() const { return shell_.window(); }

private:
    QtPlatform platform_;
    Application app_;
    Shell shell_;
};

}  // namespace calc::ui
