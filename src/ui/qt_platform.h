#pragma once
// The desktop services of the core, provided by Qt: the system alert sound and the
// system clipboard as plain text. Alert sounds are counted for the GUI driver.
//
// The core calls these from the calculator thread (calculator_thread.h), but Qt's
// clipboard and bell belong to the GUI thread, so they are asked of it there: the bell
// is rung without waiting, and at most once per 100 ms however many alerts come; a new
// clipboard text is made into its UTF-8 bytes on the calling thread, once, and set without
// waiting (in order with everything the calculator thread sends later); every request for
// it is served from those bytes. The clipboard text is waited for, answering the stop
// signal meanwhile; no memory left to read it throws std::bad_alloc on the calling thread.
// Construct it on the GUI thread.
#include <QObject>
#include <atomic>
#include <chrono>
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
    QObject gui_;  // lives on the GUI thread: calls to it run there
    std::atomic<long> beeps_ = 0;
    std::chrono::steady_clock::time_point lastBell_;  // used by the core's thread only
};

}  // namespace calc::ui
