#pragma once
// Long work can be asked to stop: when the program quits while a key is still being
// worked out (a huge factorial, a huge paste), and when a C waiting behind that key
// makes its result unneeded. The loops of such work call ThrowIfStopRequested() every
// few milliseconds of work, and once the stop signal their thread answers to was raised
// it throws Stopped. Stopped is no run-time error of the calculator: no error trap
// catches it, it unwinds the whole key.
#include <atomic>

namespace calc {

struct Stopped {};

class StopSignal {
public:
    void Raise() { raised_.store(true, std::memory_order_relaxed); }
    // For the next work, once the stopped one has unwound.
    void Lower() { raised_.store(false, std::memory_order_relaxed); }
    bool Raised() const { return raised_.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> raised_{false};
};

// While it lives, the long work of this thread answers to `signal`.
class AnswerStopsTo {
public:
    explicit AnswerStopsTo(const StopSignal& signal) : AnswerStopsTo(&signal) {}
    // Null: no signal, the work of this thread runs to its end.
    explicit AnswerStopsTo(const StopSignal* signal);
    ~AnswerStopsTo();
    AnswerStopsTo(const AnswerStopsTo&) = delete;
    AnswerStopsTo& operator=(const AnswerStopsTo&) = delete;

private:
    const StopSignal* previous_;
};

// The signal this thread answers to (null when none), for work that hands part of
// itself to another thread.
const StopSignal* CurrentStopSignal();

// Whether the signal this thread answers to was raised.
bool StopRequested();

// Throws Stopped when the signal this thread answers to was raised; cheap enough for
// any loop that does a few microseconds of work per turn.
void ThrowIfStopRequested();

}  // namespace calc
