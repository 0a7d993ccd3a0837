// The display with a huge text on it, in the real scientific window (Qt's offscreen
// platform when no display is set):
//  - the widget alone: setting the 5565709 digits of 1000000! and painting, then "0";
//  - the whole key path: typing N and "n!" (the core computes the factorial, the
//    window refreshes and paints), then the next key "+" on that display.
#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <string>

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

// A key click, with the window refreshed and painted.
void Key(CalculatorWindow* w, const char* caption) {
    w->Button(*calc::KeyWithCaption(w->KeypadMode(), caption))->click();
    Paint(w);
}

CalculatorWindow* OpenScientific(Program& program) {
    program.Start();
    program.Core().ShowMode(calc::Mode::Scientific);
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
        for (char c : n) Key(w, std::string(1, c).c_str());
        if (afterFactorial) Key(w, "n!");
        state.ResumeTiming();
        Key(w, measured);
        state.PauseTiming();
        benchmark::DoNotOptimize(w->Display()->text().size());
        state.ResumeTiming();
    }
}
BENCHMARK_CAPTURE(BM_FactorialKey, factorial, "n!")->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
// Each iteration computes 1000000! first (not timed), so a few iterations suffice.
BENCHMARK_CAPTURE(BM_FactorialKey, next_key, "+")->Arg(1000000)->Iterations(10)->Unit(benchmark::kMillisecond);

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
