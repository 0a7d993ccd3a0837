#include "bignum/stop.h"

namespace calc {

namespace {
thread_local const StopSignal* answeredSignal = nullptr;
}

AnswerStopsTo::AnswerStopsTo(const StopSignal& signal) : previous_(answeredSignal) { answeredSignal = &signal; }

AnswerStopsTo::~AnswerStopsTo() { answeredSignal = previous_; }

const StopSignal* CurrentStopSignal() { return answeredSignal; }

void ThrowIfStopRequested() {
    if (answeredSignal != nullptr && answeredSignal->Raised()) throw Stopped{};
}

}  // namespace calc
