#pragma once
// Scratch memory that long work keeps across its steps, and the helper thread that runs
// half of a large step.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>

#include "work/stop.h"

namespace calc::work {

// 32-bit words kept across the steps of one computation (the products of a factorial). Large blocks ask for
// transparent huge pages to save page faults. Throws std::bad_alloc.
class Scratch {
public:
    using u32 = std::uint32_t;

    Scratch() = default;
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch();

    // At least n words; the contents are not kept.
    u32* Get(std::size_t n) {
        if (n <= capacity_) return data_;
        Release();
        return Allocate(n);
    }

    // At least n words, keeping the first `keep`.
    u32* Grow(std::size_t n, std::size_t keep);

    u32* data() const { return data_; }

private:
    void Release();
    u32* Allocate(std::size_t n);

    u32* data_ = nullptr;
    std::size_t capacity_ = 0;
};

// A helper thread that runs one half of a split job while the caller runs the other.
class TwoThreads {
public:
    TwoThreads() = default;
    TwoThreads(const TwoThreads&) = delete;
    TwoThreads& operator=(const TwoThreads&) = delete;
    ~TwoThreads();

    // Calls f(0) here and f(1) on the helper (both here if no thread can be had); the
    // helper answers the stop signal this thread answers to. An exception from either
    // half is thrown here once both are done.
    template <class F>
    void Run(F&& f) {
        using Fn = std::remove_reference_t<F>;
        if (!Start()) {
            f(0);
            f(1);
            return;
        }
        {
            std::lock_guard<std::mutex> lock(mu_);
            job_ = [](void* p) { (*static_cast<Fn*>(p))(1); };
            arg_ = &f;
            stopSignal_ = CurrentStopSignal();
        }
        cv_.notify_all();
        std::exception_ptr mine;
        try {
            f(0);
        } catch (...) {
            mine = std::current_exception();
        }
        std::exception_ptr theirs;
        {
            std::unique_lock<std::mutex> lock(mu_);
            cv_.wait(lock, [this] { return job_ == nullptr; });
            theirs = std::exchange(error_, nullptr);
        }
        if (mine) std::rethrow_exception(mine);
        if (theirs) std::rethrow_exception(theirs);
    }

private:
    bool Start();
    void Loop();

    std::thread worker_;
    std::mutex mu_;
    std::condition_variable cv_;
    void (*job_)(void*) = nullptr;
    void* arg_ = nullptr;
    const StopSignal* stopSignal_ = nullptr;
    std::exception_ptr error_;
    bool stop_ = false;
    bool failed_ = false;
};

}  // namespace calc::work
