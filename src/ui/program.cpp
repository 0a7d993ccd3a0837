#include "program.h"

#include <QApplication>

namespace calc::ui {

Program::Program() : app_(platform_), shell_(app_) {
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&shell_, &Shell::quitRequested, qApp, &QCoreApplication::quit);
}

}  // namespace calc::ui
