// The display with a huge text on it, in the real scientific window (Qt's offscreen
// platform when no display is set):
//  - the widget alone: setting the 5565709 digits of 1000000! and painting, then "0";
//  - the whole key path: typing N and "n!" (the core computes the factorial, the
//    window refreshes and paints), then the next key "+" on that display;
//  - the window kept alive during n! of 10000000: a 10 ms timer asks the display to
//    repaint and an event filter notes each paint; the longest stretch without one
//    (from the click to the result painted) is the counter longest_gap_ms (goal: < 100).
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calculator_window.h"
#include "keypad/keypad_table.h"
#include "program.h"
#include "text_box.h"

using namespace calc::ui;

namespace {

void Paint(QWidget* w) {
    w->repaint();
    QCoreApplication::processEvents();
}

// Until the calculator thread has carried out every action and the window shows its view.
void WaitUntilIdle(const Program& program) {
    while (!program.Idle()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// A key click, with the window refreshed and painted.
void Key(Program& program, const char* caption) {
    CalculatorWindow* w = program.Window();
    w->Button(*calc::KeyWithCaption(w->KeypadMode(), caption))->click();
    WaitUntilIdle(program);
    Paint(w);
}

CalculatorWindow* OpenScientific(Program& program) {
    program.Start();
    program.Window()->Action(Command::ShowScientific)->trigger();
    WaitUntilIdle(program);
    CalculatorWindow* w = program.Window();
    Paint(w);
    return w;
}

void BM_WidgetLongText(benchmark::State& state) {
    Program program;
    CalculatorWindow* w = OpenScientific(program);
    const QString digits(5565709, QLatin1Char('8'));
    for (auto _ : state) {
        w->Display()->setText(digits);
        Paint(w);
        w->Display()->setText(QStringLiteral("0"));
        Paint(w);
    }
}
BENCHMARK(BM_WidgetLongText)->Unit(benchmark::kMillisecond);

// state.range(0): the argument of n!; "+" after it measures a key on the long display.
void BM_FactorialKey(benchmark::State& state, const char* measured) {
    const std::string n = std::to_string(state.range(0));
    const bool afterFactorial = std::string(measured) != "n!";
    for (auto _ : state) {
        state.PauseTiming();
        Program program;
        CalculatorWindow* w = OpenScientific(program);
        for (char c : n) Key(program, std::string(1, c).c_str());
        if (afterFactorial) Key(program, "n!");
        state.ResumeTiming();
        Key(program, measured);
        state.PauseTiming();
        auto shown = w->Display()->text().size();
        benchmark::DoNotOptimize(shown);
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_FactorialKey, factorial, "n!")->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
// Each iteration computes 1000000! first (not timed), so a few iterations suffice.
BENCHMARK_CAPTURE(BM_FactorialKey, next_key, "+")->Arg(1000000)->Iterations(10)->Unit(benchmark::kMillisecond);

// The times (ms) at which a widget painted, with marks of our own in between.
class PaintLog : public QObject {
public:
    PaintLog() { clock_.start(); }
    void Mark() { at_.push_back(clock_.nsecsElapsed() / 1e6); }
    double LongestGap() const {
        double longest = 0;
        for (std::size_t i = 1; i < at_.size(); ++i) longest = std::max(longest, at_[i] - at_[i - 1]);
        return longest;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) Mark();
        return false;
    }

private:
    QElapsedTimer clock_;
    std::vector<double> at_;
};

void BM_RepaintGapDuringFactorial(benchmark::State& state) {
    double longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Program program;
        CalculatorWindow* w = OpenScientific(program);
        for (char c : std::to_string(state.range(0))) Key(program, std::string(1, c).c_str());
        PaintLog log;
        w->Display()->installEventFilter(&log);
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, w->Display(), qOverload<>(&QWidget::update));
        tick.start(10);
        state.ResumeTiming();
        log.Mark();
        w->Button(*calc::KeyWithCaption(w->KeypadMode(), "n!"))->click();
        WaitUntilIdle(program);
        w->Display()->repaint();  // the result on screen ends the stretch
        state.PauseTiming();
        longest = std::max(longest, log.LongestGap());
        state.ResumeTiming();
    }
    state.counters["longest_gap_ms"] = longest;
}
BENCHMARK(BM_RepaintGapDuringFactorial)->Arg(10000000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
