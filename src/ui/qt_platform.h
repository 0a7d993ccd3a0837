#pragma once
// The desktop services of the core, provided by Qt: the system alert sound and the
// system clipboard as plain text. Alert sounds are counted for the GUI driver.
#include <string>

#include "keypad/platform.h"

namespace calc::ui {

class QtPlatform : public Platform {
public:
    void Beep() override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;

    long Beeps() const { return beeps_; }

private:
    long beeps_ = 0;
};

}  // namespace calc::ui
