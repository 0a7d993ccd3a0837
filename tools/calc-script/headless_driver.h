#pragma once
// Runs scenarios against the core's application object with an in-memory clipboard.
#include <memory>

#include "app/application.h"
#include "driver.h"

namespace calc::script {

class HeadlessDriver : public Driver {
public:
    HeadlessDriver() { Start(); }
    void Start() override;
    WindowKind Current() override { return app_->Current(); }
    void ShowWindow(WindowKind window) override;
    bool Press(const std::string& caption) override;
    void Click(int index) override;
    void Paste(const std::string& text) override;
    void Copy() override;
    std::string Clipboard() override { return platform_->clipboard; }
    long Beeps() override { return platform_->beeps; }
    Snapshot Read() override;
    std::string TakeViolation() override;

    Application& app() { return *app_; }

private:
    std::unique_ptr<MemoryPlatform> platform_;
    std::unique_ptr<Application> app_;
    std::string violation_;
    void Check();
};

// The snapshot of a core application (shared with the GUI driver, which reads the
// state that the widgets do not show from the core).
Snapshot ReadCore(Application& app);

}  // namespace calc::script
