#include "calculator_thread.h"

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "bignum/heap.h"

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
// what the window is to show.
class CalculatorWorker : public QObject {
public:
    using Report = std::function<void(int actions, WindowView view)>;

    CalculatorWorker(Platform& platform, const StopSignal& stop, Report report)
        : calculator_(platform), stop_(stop), report_(std::move(report)) {
        calculator_.onModeChanged = [this] { newWindow_ = true; };
    }

    Calculator& Core() { return calculator_; }

    // GUI thread: one more action is on its way.
    void Posted() { waiting_.fetch_add(1, std::memory_order_relaxed); }

    void Run(Mode mode, const CalculatorThread::Action& action) {
        waiting_.fetch_sub(1, std::memory_order_relaxed);
        ++carriedOut_;
        if (stop_.Raised()) return;
        try {
            const AnswerStopsTo answer(stop_);
            const TrimHeapAfterLongWork trim;  // a huge number's work leaves freed memory behind
            if (calculator_.CurrentMode() == mode) action(calculator_);
            if (waiting_.load(std::memory_order_relaxed) == 0 || Clock::now() - lastReport_ >= kViewGap) SendView();
        } catch (const Stopped&) {
            return;  // the program is ending
        } catch (const std::bad_alloc&) {
            ShowOutOfMemory();
        }
    }

    WindowView TakeView() {
        WindowView view;
        view.mode = calculator_.CurrentMode();
        view.newWindow = std::exchange(newWindow_, false);
        const bool all = view.newWindow;
        view.display = Changed(display_, calculator_.Display(), all);
        view.memory = Changed(memory_, calculator_.MemoryIndicator(), all);
        if (view.mode == Mode::Scientific) {
            const ScientificKeypad& sci = calculator_.Scientific();
            view.paren = Changed(paren_, sci.ParenIndicator(), all);
            view.inverse = sci.Inverse();
            view.hyperbolic = sci.Hyperbolic();
        }
        return view;
    }

private:
    // No memory left to show what the action left (the texts of a huge display): it ends as a key that runs
    // out of memory does, and that short error is shown.
    void ShowOutOfMemory() {
        calculator_.ShowOutOfMemory();
        try {
            SendView();
        } catch (const std::bad_alloc&) {}
    }

    void SendView() {
        lastReport_ = Clock::now();
        WindowView view = TakeView();  // first: a view that cannot be made leaves the count of actions as it was
        report_(std::exchange(carriedOut_, 0), std::move(view));
    }

    Calculator calculator_;
    const StopSignal& stop_;
    Report report_;
    std::atomic<int> waiting_{0};  // posted, not yet begun
    int carriedOut_ = 0;           // since the last view sent
    Clock::time_point lastReport_;
    bool newWindow_ = false;
    std::string display_, memory_, paren_;  // the texts of the last view sent
};

CalculatorThread::CalculatorThread(Platform& platform) {
    auto report = [this](int actions, WindowView view) {
        QMetaObject::invokeMethod(
            this, [this, actions, view = std::move(view)] { Finished(actions, view); }, Qt::QueuedConnection);
    };
    worker_ = std::make_unique<CalculatorWorker>(platform, stop_, std::move(report));
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

void CalculatorThread::Post(Mode mode, Action action) {
    if (stop_.Raised()) return;
    if (outstanding_++ == 0 && !busyCursorShown_) busyCursor_.start();
    worker_->Posted();
    CalculatorWorker* worker = worker_.get();
    QMetaObject::invokeMethod(
        worker, [worker, mode, action = std::move(action)] { worker->Run(mode, action); }, Qt::QueuedConnection);
}

void CalculatorThread::Stop() { stop_.Raise(); }

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
