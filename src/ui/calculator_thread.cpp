#include "calculator_thread.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "work/heap.h"
#include "work/stop.h"

namespace calc::ui {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kBusyCursorDelayMs = 100;
// Behind a long queue of actions, the window still gets a view this often.
constexpr std::chrono::milliseconds kViewGap(100);
constexpr qsizetype kHugeText = qsizetype{1} << 20;
constexpr int kTrimAfterRepaintMs = 100;

// The Qt text of a display. Millions of digits take a while to convert: the work answers a
// stop between pieces (cut where no character continues).
QString ToQString(const std::string& text) {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    if (text.size() <= kPiece) return QString::fromStdString(text);
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t at = 0, end = 0; at < text.size(); at = end) {
        ThrowIfStopRequested();
        end = std::min(at + kPiece, text.size());
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        out += QString::fromUtf8(text.data() + at, static_cast<qsizetype>(end - at));
    }
    return out;
}

// The Qt text of `now` when it differs from `sent` (or `all` texts are asked for).
std::optional<QString> Changed(std::string& sent, const std::string& now, bool all) {
    if (!all && sent == now) return std::nullopt;
    QString text = ToQString(now);
    std::string(now).swap(sent);  // a fresh buffer: a huge text gone leaves no room behind
    return text;
}

}  // namespace

// Lives in the worker thread: carries out the actions on the calculator and reports
// what the window is to show. The queue of actions is shared with the GUI thread, which
// adds to it and may stop the running work when an action that undoes it is queued.
class CalculatorWorker : public QObject {
public:
    using Report = std::function<void(int actions, WindowView view)>;

    CalculatorWorker(Platform& platform, Report report) : calculator_(platform), report_(std::move(report)) {
        calculator_.onModeChanged = [this] { newWindow_ = true; };
    }

    Calculator& Core() { return calculator_; }

    // GUI thread: one more action, to be carried out by a call of RunNext.
    bool Queue(Mode mode, CalculatorThread::Action action, Bearing bearing) {
        const std::lock_guard lock(mu_);
        if (ending_) return false;
        queue_.push_back({++lastId_, mode, std::move(action), bearing});
        if (bearing != Bearing::Clears) return true;
        ++clearsQueued_;
        AbandonUnneededWork();
        return true;
    }

    // GUI thread: the program ends; the running work stops, nothing more is carried out.
    void End() {
        const std::lock_guard lock(mu_);
        ending_ = true;
        stop_.Raise();
    }

    void RunNext() {
        std::optional<Entry> entry = Next();
        if (!entry) return;
        bool abandoned = false;
        try {
            const AnswerStopsTo answer(stop_);
            const TrimHeapAfterLongWork trim;  // a huge number's work leaves freed memory behind
            if (calculator_.CurrentMode() == entry->mode) entry->action(calculator_);
            if (ViewDue()) SendView();
        } catch (const Stopped&) {
            abandoned = stop_.Raised();  // else the program is ending
        } catch (const std::bad_alloc&) {
            ShowOutOfMemory();
        }
        if (Finish() || !abandoned) return;
        // Abandoned for a C or a switch that undoes it: the state as the work had left it, then C; the
        // actions up to that C are skipped.
        calculator_.Press(Key::Clear);
        if (QueueEmpty()) SendView();
        // What the work held goes back to the system once the C has answered (its call was queued before).
        QMetaObject::invokeMethod(
            this, [] { TrimHeap(); }, Qt::QueuedConnection);
    }

    WindowView TakeView() {
        WindowView view;
        view.mode = calculator_.CurrentMode();
        view.newWindow = newWindow_;
        const bool all = view.newWindow;
        view.display = Changed(display_, calculator_.Display(), all);
        view.memory = Changed(memory_, calculator_.MemoryIndicator(), all);
        if (view.mode == Mode::Scientific) {
            const ScientificKeypad& sci = calculator_.Scientific();
            view.paren = Changed(paren_, sci.ParenIndicator(), all);
            view.inverse = sci.Inverse();
            view.hyperbolic = sci.Hyperbolic();
        }
        newWindow_ = false;  // only once the view is made: stopped while converting, the next view opens it
        return view;
    }

private:
    struct Entry {
        std::uint64_t id;
        Mode mode;
        CalculatorThread::Action action;
        Bearing bearing;
    };

    // The next action to carry out, past those an abandoned work's C skips; it is running from here on.
    std::optional<Entry> Next() {
        const std::lock_guard lock(mu_);
        while (!queue_.empty() && queue_.front().id < skipTo_) Pop();
        if (queue_.empty() || ending_) return std::nullopt;
        Entry entry = Pop();
        // An action for a keypad that is not open is dropped; one that a C undoes may be abandoned.
        if (entry.mode == calculator_.CurrentMode() && entry.bearing == Bearing::UndoneByClear) {
            abandonable_ = entry.mode;
            AbandonUnneededWork();  // a C already waits behind it
        }
        return entry;
    }

    // Under mu_.
    Entry Pop() {
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        ++carriedOut_;
        if (entry.bearing == Bearing::Clears) --clearsQueued_;
        return entry;
    }

    // After the running action: true when the program is ending.
    bool Finish() {
        const std::lock_guard lock(mu_);
        abandonable_.reset();
        if (!ending_) stop_.Lower();
        return ending_;
    }

    // Under mu_: stops the running work when an action queued behind it clears its keypad
    // (the open one) with nothing between that needs its result; actions for another keypad
    // are dropped in their turn, as that keypad stays closed until then.
    void AbandonUnneededWork() {
        if (!abandonable_ || clearsQueued_ == 0) return;
        for (const Entry& e : queue_) {
            if (e.mode != *abandonable_ || e.bearing == Bearing::UndoneByClear) continue;
            if (e.bearing == Bearing::NeedsResult) return;
            skipTo_ = e.id;
            stop_.Raise();
            return;
        }
    }

    bool QueueEmpty() {
        const std::lock_guard lock(mu_);
        return queue_.empty();
    }

    // After an action: a view once the queue is done, and one per kViewGap behind a long queue, but
    // none while a C waits in it (it shows its own view soon, and a huge result's text takes long).
    bool ViewDue() {
        const std::lock_guard lock(mu_);
        return queue_.empty() || (clearsQueued_ == 0 && Clock::now() - lastReport_ >= kViewGap);
    }

    // No memory left to show what the action left (the texts of a huge display): it ends as a key that runs
    // out of memory does, and that short error is shown.
    void ShowOutOfMemory() {
        calculator_.ShowOutOfMemory();
        try {
            SendView();
        } catch (const std::bad_alloc&) {}
    }

    void SendView() {
        // First: stopped while converting, or out of memory for the view, nothing is reported and the count
        // of actions stays as it was.
        WindowView view = TakeView();
        lastReport_ = Clock::now();
        report_(std::exchange(carriedOut_, 0), std::move(view));
    }

    Calculator calculator_;
    Report report_;
    std::mutex mu_;  // guards what follows, up to skipTo_
    StopSignal stop_;
    bool ending_ = false;
    std::deque<Entry> queue_;
    std::optional<Mode> abandonable_;  // the keypad of the running action, when a C undoes what it does
    std::uint64_t lastId_ = 0;
    int clearsQueued_ = 0;      // actions in queue_ that are Bearing::Clears
    std::uint64_t skipTo_ = 0;  // the actions queued before this one are skipped: an abandoned work's C undoes them
    int carriedOut_ = 0;        // since the last view sent
    Clock::time_point lastReport_;
    bool newWindow_ = false;
    std::string display_, memory_, paren_;  // the texts of the last view sent
};

CalculatorThread::CalculatorThread(Platform& platform) {
    auto report = [this](int actions, WindowView view) {
        QMetaObject::invokeMethod(
            this, [this, actions, view = std::move(view)] { Finished(actions, view); }, Qt::QueuedConnection);
    };
    worker_ = std::make_unique<CalculatorWorker>(platform, std::move(report));
    worker_->moveToThread(&thread_);
    thread_.start();
    if (!thread_.isRunning()) throw std::runtime_error("the calculator thread cannot start");  // no memory for it
    busyCursor_.setSingleShot(true);
    busyCursor_.setInterval(kBusyCursorDelayMs);
    connect(&busyCursor_, &QTimer::timeout, this, &CalculatorThread::ShowBusyCursor);
}

CalculatorThread::~CalculatorThread() {
    Stop();
    thread_.quit();
    thread_.wait();
    if (busyCursorShown_) QApplication::restoreOverrideCursor();
}

void CalculatorThread::Start() {
    WindowView view;
    QMetaObject::invokeMethod(
        worker_.get(),
        [this, &view] {
            worker_->Core().Start();
            view = worker_->TakeView();
        },
        Qt::BlockingQueuedConnection);
    emit ViewChanged(view);
}

void CalculatorThread::Post(Mode mode, Action action, Bearing bearing) {
    if (!worker_->Queue(mode, std::move(action), bearing)) return;
    if (outstanding_++ == 0 && !busyCursorShown_) busyCursor_.start();
    CalculatorWorker* worker = worker_.get();
    QMetaObject::invokeMethod(
        worker, [worker] { worker->RunNext(); }, Qt::QueuedConnection);
}

void CalculatorThread::Stop() { worker_->End(); }

Calculator& CalculatorThread::Core() { return worker_->Core(); }

void CalculatorThread::Finished(int actions, const WindowView& view) {
    outstanding_ -= actions;
    emit ViewChanged(view);
    if (view.display) {
        // A huge number gone from the display leaves its freed memory in the heap. The trim waits for the
        // repaint, which drops what the window still held of the old text.
        if (shownDisplaySize_ >= kHugeText && view.display->size() < shownDisplaySize_ / 2)
            QTimer::singleShot(kTrimAfterRepaintMs, this, [] { TrimHeap(); });
        shownDisplaySize_ = view.display->size();
    }
    if (outstanding_ > 0) return;
    busyCursor_.stop();
    if (busyCursorShown_) QApplication::restoreOverrideCursor();
    busyCursorShown_ = false;
}

void CalculatorThread::ShowBusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busyCursorShown_ = true;
}

}  // namespace calc::ui
