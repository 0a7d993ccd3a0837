#pragma once
// Carries out the windows' actions on the calculator one after another, the long part
// of each on a worker thread, so that a long key (a huge factorial, a huge paste)
// never freezes the window.
//
// How it works, all from the GUI thread:
//  - Do(owner, action) appends the action to a queue. When nothing is being carried out
//    it runs the queue until it is empty and only then returns, so a click on an idle
//    window has its result on screen when click() returns. Called while an action is
//    being carried out (a timer, a synthetic click, a menu item during a long key), it
//    only appends: the action follows, in order, as if the earlier work had been instant.
//  - An action runs on the GUI thread; it hands the part that touches the calculator to
//    Work(), which runs it on the one worker thread. Meanwhile the GUI thread waits in an
//    event loop that leaves out user input (kept for later by Qt): it repaints, answers
//    the window system, serves the worker's clipboard and bell requests (QtPlatform),
//    and after 100 ms of work shows the busy cursor. So while the worker works, only
//    it touches the calculator; before and after, only the GUI thread does.
//  - A close from the window system counts as user input: it is acted on once the
//    running work is done. If the application quits during a work all the same (a
//    window closed by a program, a session ending), the wait ends at once, the queue
//    is dropped and nothing more is carried out; the destructor lets the running work
//    finish (serving its clipboard requests) before the windows and the calculator go.
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>

class QEventLoop;

namespace calc::ui {

class CoreWorker : public QObject {
    Q_OBJECT
public:
    CoreWorker();
    ~CoreWorker() override;

    // Carries out `action` on the GUI thread after every action queued before it,
    // unless `owner` is gone by then (see the header comment).
    void Do(QObject* owner, std::function<void()> action);
    // Runs `work` on the worker thread and returns when it is done, processing events
    // but user input meanwhile. False when the application quit first: the work may still
    // be running, so the caller must leave the calculator alone.
    bool Work(std::function<void()> work);

private:
    void WorkDone();  // on the GUI thread, queued by the worker thread
    void ShowBusyCursor();

    QThread thread_;
    QObject onThread_;  // lives in the worker thread: work is posted to it
    std::deque<std::pair<QPointer<QObject>, std::function<void()>>> queue_;
    bool carrying_ = false;  // an action is being carried out: new ones only wait in the queue
    bool working_ = false;   // the worker thread runs a work
    bool stopped_ = false;   // the application quit during a work
    QEventLoop* wait_ = nullptr;
    QTimer busyCursor_;
    bool busyCursorShown_ = false;
};

}  // namespace calc::ui
