#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>

namespace calc::ui {

void QtPlatform::Beep() {
    ++beeps_;
    QApplication::beep();
}

std::string QtPlatform::ClipboardText() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

void QtPlatform::SetClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear(QClipboard::Clipboard);
    clipboard->setText(QString::fromStdString(text), QClipboard::Clipboard);
}

}  // namespace calc::ui
