#include "core_worker.h"

#include <QApplication>
#include <QEventLoop>

namespace calc::ui {

namespace {

constexpr int kBusyCursorDelayMs = 100;

}  // namespace

CoreWorker::CoreWorker() {
    onThread_.moveToThread(&thread_);
    thread_.start();
    busyCursor_.setSingleShot(true);
    busyCursor_.setInterval(kBusyCursorDelayMs);
    connect(&busyCursor_, &QTimer::timeout, this, &CoreWorker::ShowBusyCursor);
}

CoreWorker::~CoreWorker() {
    // A work left running when the application quit may still ask for the clipboard.
    while (working_)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    thread_.quit();
    thread_.wait();
}

void CoreWorker::Do(QObject* owner, std::function<void()> action) {
    if (stopped_) return;
    queue_.emplace_back(owner, std::move(action));
    if (carrying_) return;
    carrying_ = true;
    while (!queue_.empty() && !stopped_) {
        auto [stillThere, next] = std::move(queue_.front());
        queue_.pop_front();
        if (stillThere) next();
    }
    queue_.clear();
    carrying_ = false;
}

bool CoreWorker::Work(std::function<void()> work) {
    if (stopped_) return false;
    working_ = true;
    QMetaObject::invokeMethod(&onThread_, [this, work = std::move(work)] {  // queued to the worker thread
        work();
        QMetaObject::invokeMethod(this, &CoreWorker::WorkDone, Qt::QueuedConnection);
    });
    QEventLoop wait;
    wait_ = &wait;
    busyCursor_.start();
    wait.exec(QEventLoop::ExcludeUserInputEvents);  // ends early only when the application quits
    wait_ = nullptr;
    busyCursor_.stop();
    if (busyCursorShown_) QApplication::restoreOverrideCursor();
    busyCursorShown_ = false;
    if (working_) stopped_ = true;
    return !stopped_;
}

void CoreWorker::WorkDone() {
    working_ = false;
    if (wait_) wait_->quit();
}

void CoreWorker::ShowBusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    busyCursorShown_ = true;
}

}  // namespace calc::ui
