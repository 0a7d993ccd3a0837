// Measures how the display copes with the digits of 1000000! (5565709 of them):
//  1. the widget alone: setting a text of that length and painting the window;
//  2. the whole path in the scientific window: typing 1000000 and n! (the core
//     computes the factorial), then the next key ("+"), each with the window
//     refreshed and painted.
// Prints the figures; it asserts nothing. Usage: display_timing [N] (default 1000000;
// 0 skips the core path).
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

#include "calculator_window.h"
#include "program.h"
#include "text_box.h"

using calc::WindowKind;
using namespace calc::ui;

namespace {

double Ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

void Paint(QWidget* w) {
    w->repaint();
    QCoreApplication::processEvents();
}

void Key(CalculatorWindow* w, const char* caption) { w->command1()->click(calc::FindKey(w->kind(), caption)); }

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000000;
    Program program;
    program.Start();
    program.app().ShowWindow(WindowKind::Scientific);
    CalculatorWindow* w = program.window();
    Paint(w);

    const QString digits(5565709, QLatin1Char('8'));
    QElapsedTimer t;
    t.start();
    w->text1()->setText(digits);
    Paint(w);
    std::printf("widget: set and paint 5565709 characters: %.1f ms\n", Ms(t));
    t.restart();
    w->text1()->setText(QStringLiteral("0"));
    Paint(w);
    std::printf("widget: back to \"0\": %.1f ms\n", Ms(t));
    w->Sync();

    if (n <= 0) return 0;
    for (char c : std::to_string(n)) Key(w, std::string(1, c).c_str());
    // The key's click, split into the core's work and the window's refresh.
    auto timedKey = [&](const char* caption) {
        QElapsedTimer k;
        k.start();
        program.app().Click(calc::FindKey(w->kind(), caption));
        const double core = Ms(k);
        w->Sync();
        const double synced = Ms(k);
        Paint(w);
        std::printf("key %-3s core %.1f ms, refresh %.1f ms, paint %.1f ms, total %.1f ms; display %lld characters\n",
                    caption, core, synced - core, Ms(k) - synced, Ms(k),
                    static_cast<long long>(w->text1()->text().size()));
    };
    std::printf("%d! then the next key:\n", n);
    timedKey("n!");
    timedKey("+");
    timedKey("=");
    return 0;
}
