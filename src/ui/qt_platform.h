#pragma once
// The desktop services of the core, provided by Qt: the system alert sound and the
// system clipboard as plain text. Alert sounds are counted for the GUI driver.
//
// The core calls these from whichever thread carries out its work (see CoreWorker),
// but Qt's clipboard and bell belong to the GUI thread: the clipboard is used there
// while the calling thread waits (a blocking queued call), the bell is rung there
// without waiting, and at most once per 100 ms, however many alerts come. Construct
// it on the GUI thread.
#include <QObject>
#include <atomic>
#include <chrono>
#include <functional>
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
    // Runs `call` on the GUI thread and returns when it is done.
    void OnGuiThread(const std::function<void()>& call);

    QObject gui_;  // lives on the GUI thread: calls to it run there
    std::atomic<long> beeps_ = 0;
    std::chrono::steady_clock::time_point lastBell_;  // used by the core's thread only
};

}  // namespace calc::ui
