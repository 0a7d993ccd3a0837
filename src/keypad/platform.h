#pragma once
// What the calculator needs from the desktop: the alert sound and the clipboard.
#include <string>

namespace calc {

class Platform {
public:
    virtual ~Platform() = default;
    virtual void Beep() = 0;
    virtual std::string ClipboardText() = 0;  // plain text; empty when it holds none
    virtual void SetClipboardText(const std::string& text) = 0;
};

// A platform with an in-memory clipboard that counts alert sounds: for the headless
// driver and the tests.
class MemoryPlatform : public Platform {
public:
    void Beep() override { ++beeps; }
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }

    long beeps = 0;
    std::string clipboard;
};

}  // namespace calc
