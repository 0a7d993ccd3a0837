#pragma once
// Runs scenarios against the core calculator with an in-memory clipboard.
#include <memory>

#include "app/calculator.h"
#include "driver.h"

namespace calc::script {

class HeadlessDriver final : public Driver {
public:
    HeadlessDriver() { HeadlessDriver::Start(); }
    void Start() override;
    Mode CurrentMode() override { return calculator_->CurrentMode(); }
    void ShowMode(Mode mode) override;
    bool Press(const std::string& caption) override;
    void PressIndex(int index) override;
    void Paste(std::string text) override;
    void Copy() override;
    std::string Clipboard() override { return platform_->clipboard; }
    long Beeps() override { return platform_->beeps; }
    Snapshot Read() override;

    Calculator& Core() { return *calculator_; }

private:
    std::unique_ptr<MemoryPlatform> platform_;
    std::unique_ptr<Calculator> calculator_;
};

// The snapshot of a core calculator (shared with the GUI driver, which reads the
// state that the widgets do not show from the core).
Snapshot ReadCore(const Calculator& calculator);

}  // namespace calc::script
