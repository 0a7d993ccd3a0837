// The calculator program: the standard window opens at start; the View menu
// switches between the standard and scientific windows; closing the open window
// ends the program. The command line is read first (see ReadCommandLine).
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <exception>
#include <iostream>
#include <optional>

#include "work/heap.h"
#include "calc_version.h"
#include "program.h"

int main(int argc, char** argv) {
    calc::UseOneHeap();  // before any thread: a huge number's memory comes back after it is gone
    // --help and --version answer before Qt looks for a display.
    if (const std::optional<int> exitCode = calc::ui::ReadCommandLine(argc, argv)) return *exitCode;
    // Without a display Qt would abort with its own message: say it plainly first.
    if (const calc::ui::DisplayCheck display = calc::ui::PrepareDisplay(argc, argv); !display.usable) {
        std::cerr << calc::ui::NoDisplayMessage(display);
        return calc::ui::kNoDisplayStatus;
    }
    QApplication qapp(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(CALC_APP_ID));  // the desktop entry of this window
    try {
        calc::ui::Program program;
        program.Start();
        // The icon is not needed to draw the first window: load it right after.
        QTimer::singleShot(0, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/calculator-48.png"))); });
        return QApplication::exec();
    } catch (const std::exception&) {
        return 1;  // start-up failed: end silently
    }
}
