#pragma once
// The application object: owns the state store and whichever calculator window is
// loaded, switches between them and carries out the menu commands. The Qt program
// and the headless driver both drive the calculator through it.
#include <functional>
#include <memory>
#include <string>

#include "app/keypads.h"
#include "app/module1.h"
#include "scientific/scientific_window.h"
#include "standard/standard_window.h"

namespace calc {

class Application {
public:
    explicit Application(Platform& platform);

    // Start-up: the token lists exist from construction; loads the standard window.
    void Main();

    WindowKind Current() const { return current_; }
    StandardWindow* Form1() { return form1_.get(); }
    ScientificWindow* Form2() { return form2_.get(); }
    const StandardWindow* Form1() const { return form1_.get(); }
    const ScientificWindow* Form2() const { return form2_.get(); }

    // View menu: unload the open window, load the other one anew.
    void mnuScience_Click();
    void mnuStandard_Click();
    // Switch to the named window; naming the open one changes nothing.
    void ShowWindow(WindowKind window);

    // Edit > Copy: the display text to the clipboard, whatever it holds.
    void mnuCopy_Click();
    // Edit > Paste (scientific window only): the clipboard text replayed as keys.
    void mnuPaste_Click();

    // A click on the open window's button array.
    void Click(int index);
    const std::string& Display() const;
    bool Locked() const;

    Module1& store() { return store_; }
    const Module1& store() const { return store_; }
    Platform& platform() { return platform_; }

    // Called after the open window changed (for a view that builds its widgets).
    std::function<void()> onWindowChanged;

private:
    Platform& platform_;
    Module1 store_;
    WindowKind current_ = WindowKind::Standard;
    std::unique_ptr<StandardWindow> form1_;
    std::unique_ptr<ScientificWindow> form2_;
};

}  // namespace calc
