#pragma once
// The calculator on a thread of its own, so that a long key (a huge factorial, a huge
// paste) never freezes the windows.
//
//  - The calculator lives on one worker object in the worker thread; once started, only
//    that thread touches it (tests read it through Core() while Idle()).
//  - The windows Post() each action; Qt's queued calls carry them over in the order
//    posted. An action of a window whose keypad is no longer the open one is dropped.
//  - After its work the worker sends back what the window shows (WindowView), with only
//    the texts that changed, converted on the worker thread. Behind a queue of actions
//    it sends one view when the queue is done (and one per 100 ms meanwhile), so a flood
//    of digit keys does not convert the growing display once per key.
//  - The busy cursor shows once actions have been outstanding for 100 ms, and stays
//    until none is: no arrow between queued actions.
//  - A change of mind: an action that Clears (C, the switch to the other keypad) posted
//    behind long work that it undoes, with nothing between that needs the work's result
//    (Bearing), stops that work within a few milliseconds (work/stop.h) and drops the
//    actions between; the state is that of the work finished and then C.
//  - Stop() (the program ends) raises the stop signal: the running work ends within a few
//    milliseconds and the actions still queued are dropped.
#include <QObject>
#include <QThread>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/calculator.h"
#include "window_view.h"

namespace calc::ui {

class CalculatorWorker;

class CalculatorThread : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void(Calculator&)>;

    explicit CalculatorThread(Platform& platform);
    ~CalculatorThread() override;  // stops the work and joins the thread

    // Program start, carried out on the worker thread before this returns: the standard
    // keypad, freshly loaded; its view is sent at once.
    void Start();
    // Carries out `action` on the worker thread after every action posted before it, if
    // the open keypad is still that of `mode` by then.
    void Post(Mode mode, Action action, Bearing bearing = Bearing::NeedsResult);
    // The program ends: the running work stops, nothing more is carried out.
    void Stop();
    // No action is outstanding, and the window shows the view of the last one.
    bool Idle() const { return outstanding_ == 0; }
    // The calculator, to be read while Idle().
    Calculator& Core();

signals:
    // On the GUI thread, after actions were carried out.
    void ViewChanged(const calc::ui::WindowView& view);

private:
    void Finished(int actions, const WindowView& view);
    void ShowBusyCursor();

    QThread thread_;
    std::unique_ptr<CalculatorWorker> worker_;  // lives in thread_
    int outstanding_ = 0;                       // posted, not yet reported carried out
    QTimer busyCursor_;
    bool busyCursorShown_ = false;
    qsizetype shownDisplaySize_ = 0;
};

}  // namespace calc::ui
