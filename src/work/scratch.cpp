// Scratch memory and the helper thread of long work.
#include "work/scratch.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <system_error>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace calc::work {

Scratch::~Scratch() { std::free(data_); }

void Scratch::Release() {
    std::free(data_);
    data_ = nullptr;
    capacity_ = 0;
}

Scratch::u32* Scratch::Grow(std::size_t n, std::size_t keep) {
    if (n <= capacity_) return data_;
    u32* old = data_;
    data_ = nullptr;
    capacity_ = 0;
    try {
        Allocate(n);
    } catch (...) {
        std::free(old);
        throw;
    }
    if (keep != 0) std::memcpy(data_, old, keep * sizeof(u32));
    std::free(old);
    return data_;
}

Scratch::u32* Scratch::Allocate(std::size_t n) {
    constexpr std::size_t kHuge = std::size_t{2} << 20;
    std::size_t bytes = n * sizeof(u32);
    const std::size_t align = bytes >= kHuge ? kHuge : 64;
    bytes = (bytes + align - 1) / align * align;
    void* p = std::aligned_alloc(align, bytes);
    if (p == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (align == kHuge) madvise(p, bytes, MADV_HUGEPAGE);
#endif
    data_ = static_cast<u32*>(p);
    capacity_ = bytes / sizeof(u32);
    return data_;
}

TwoThreads::~TwoThreads() {
    if (!worker_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mu_);
        stop_ = true;
    }
    cv_.notify_all();
    worker_.join();
}

bool TwoThreads::Start() {
    if (worker_.joinable()) return true;
    if (failed_) return false;
    try {
        worker_ = std::thread([this] { Loop(); });
    } catch (const std::system_error&) {
        failed_ = true;
    }
    return !failed_;
}

void TwoThreads::Loop() {
    std::unique_lock<std::mutex> lock(mu_);
    for (;;) {
        cv_.wait(lock, [this] { return stop_ || job_ != nullptr; });
        if (stop_) return;
        void (*job)(void*) = job_;
        void* arg = arg_;
        const AnswerStopsTo answer(stopSignal_);
        lock.unlock();
        std::exception_ptr err;
        try {
            job(arg);
        } catch (...) {
            err = std::current_exception();
        }
        lock.lock();
        error_ = err;
        job_ = nullptr;
        cv_.notify_all();
    }
}

}  // namespace calc::work
