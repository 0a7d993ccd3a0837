// Pasting long expressions into the scientific window: the cost per replayed key
// must not grow with the expression, so the time grows in proportion to the text, and
// the memory stays the text plus a fixed amount (the peak_MB counter: the whole
// process's peak resident memory during a paste, the text included).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "app/calculator.h"
#include "paste/replay.h"

namespace {

// Repeats `unit` until the text holds about `bytes` characters, between `head` and `tail`.
std::string Build(const std::string& head, const std::string& unit, const std::string& tail, std::size_t bytes) {
    std::string s = head;
    while (s.size() + unit.size() + tail.size() <= bytes) s += unit;
    return s + tail;
}

std::string LongSum(std::size_t n) { return Build("1", "+2", "=", n); }
std::string LongProduct(std::size_t n) { return Build("1+2", "*3", "=", n); }
std::string PowerChain(std::size_t n) { return Build("1-2", "y1", "=", n); }
std::string Nested(std::size_t n) {
    // Nesting beyond 32767 open groups overflows the depth counter by design, so the
    // text nests in blocks: (((1+2)*3)...) repeated.
    std::string block = std::string(100, '(') + "1";
    for (int i = 0; i < 100; ++i) block += "+2)";
    return Build("0", "+" + block, "=", n);
}
std::string Digits(std::size_t n) { return Build("", "1234567890", "", n); }
std::string Functions(std::size_t n) { return Build("1+2", "*3s", "=", n); }

// The process's peak resident memory in MB since the last ResetPeak().
double PeakMb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    }
    return 0;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

template <std::string (*Make)(std::size_t)>
void BM_Paste(benchmark::State& state) {
    const std::string text = Make(static_cast<std::size_t>(state.range(0)));
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeak();
        state.ResumeTiming();
        calc::MemoryPlatform platform;
        calc::Calculator calculator(platform);
        calculator.Start();
        calculator.ShowMode(calc::Mode::Scientific);
        calc::PasteText(calculator.Scientific(), text);
        const std::string* display = &calculator.Display();
        benchmark::DoNotOptimize(display);
        state.PauseTiming();
        peak = std::max(peak, PeakMb());
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = peak;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

#define PASTE_BENCH(f)              \
    BENCHMARK_TEMPLATE(BM_Paste, f) \
        ->RangeMultiplier(10)       \
        ->Range(10000, 1000000)     \
        ->Arg(10000000)             \
        ->Unit(benchmark::kMillisecond)

PASTE_BENCH(LongSum);
PASTE_BENCH(LongProduct);
PASTE_BENCH(PowerChain);
PASTE_BENCH(Nested);
PASTE_BENCH(Digits);
PASTE_BENCH(Functions);

}  // namespace

BENCHMARK_MAIN();
