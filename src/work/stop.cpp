#include "work/stop.h"

namespace calc {

namespace {
thread_local const StopSignal* answeredSignal = nullptr;
}

AnswerStopsTo::AnswerStopsTo(const StopSignal* signal) : previous_(answeredSignal) { answeredSignal = signal; }

AnswerStopsTo::~AnswerStopsTo() { answeredSignal = previous_; }

const StopSignal* CurrentStopSignal() { return answeredSignal; }

bool StopRequested() { return answeredSignal != nullptr && answeredSignal->Raised(); }

void ThrowIfStopRequested() {
    if (StopRequested()) throw Stopped{};
}

}  // namespace calc
