#pragma once
// Giving freed memory back to the system. The allocator keeps the blocks that a long
// computation freed (hundreds of megabytes after a huge factorial) for later use; once
// such work is over, the process should shrink back to about its idle size.
#include <chrono>

#include "work/stop.h"

namespace calc {

// Returns the free memory of the heap to the system (glibc's malloc_trim; nothing
// elsewhere). Takes a few milliseconds on a large heap: call it after long work only.
void TrimHeap();

// Makes every thread allocate from one heap (glibc's M_ARENA_MAX; nothing elsewhere). Call it
// first thing in a program that does long work on threads: the allocator otherwise gives each
// thread a heap of its own, and what a huge number left in the calculator thread's heap does not
// always go back to the system when trimmed.
void UseOneHeap();

// Trims the heap when it goes out of scope, if at least `longWork` passed since it was
// made; not when the work was stopped (whoever stopped it trims, if the program goes on).
class TrimHeapAfterLongWork {
public:
    explicit TrimHeapAfterLongWork(std::chrono::milliseconds longWork = std::chrono::milliseconds(50))
        : start_(std::chrono::steady_clock::now()), longWork_(longWork) {}
    ~TrimHeapAfterLongWork() {
        if (!StopRequested() && std::chrono::steady_clock::now() - start_ >= longWork_) TrimHeap();
    }
    TrimHeapAfterLongWork(const TrimHeapAfterLongWork&) = delete;
    TrimHeapAfterLongWork& operator=(const TrimHeapAfterLongWork&) = delete;

private:
    std::chrono::steady_clock::time_point start_;
    std::chrono::milliseconds longWork_;
};

}  // namespace calc
