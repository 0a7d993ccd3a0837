#pragma once
// Runs scenarios against the real Qt windows: keys are clicked by their captions,
// the Inv/Hyp boxes ticked, menu items triggered, and what the windows show is read
// back from the widgets and the system clipboard.
#include <memory>
#include <string>
#include <vector>

#include "app/calculator.h"
#include "driver.h"
#include "options.h"
#include "scenario.h"

namespace calc::ui {
class CalculatorWindow;
class Program;
enum class Command;
}  // namespace calc::ui

namespace calc::script {

class GuiDriver final : public Driver {
public:
    GuiDriver();
    ~GuiDriver() override;

    void Start() override;
    Mode CurrentMode() override;
    void ShowMode(Mode mode) override;
    bool Press(const std::string& caption) override;
    void PressIndex(int index) override;
    void Paste(std::string text) override;
    void Copy() override;
    std::string Clipboard() override;
    long Beeps() override;
    Snapshot Read() override;

    ui::CalculatorWindow* Window() const;
    // A menu item of the open window (Edit > Paste pastes the clipboard as it is); returns once it is done.
    void Trigger(ui::Command command);

private:
    // Waits until the calculator thread has carried out every action, then checks the core's consistency rules.
    void Settle();
    void Stop();

    std::unique_ptr<ui::Program> program_;
};

// Creates the Qt application and runs the files (--check) or the interactive loop. With no display to
// open the windows on, they run offscreen; a platform chosen by the user (-platform, QT_QPA_PLATFORM)
// that has no display ends the run with a message instead.
ExitStatus RunGui(int& argc, char** argv, const Options& options);

}  // namespace calc::script
