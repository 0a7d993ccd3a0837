#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QThread>

namespace calc::ui {

namespace {

constexpr std::chrono::milliseconds kBellGap(100);

}  // namespace

void QtPlatform::OnGuiThread(const std::function<void()>& call) {
    const bool here = QThread::currentThread() == gui_.thread();
    QMetaObject::invokeMethod(&gui_, call, here ? Qt::DirectConnection : Qt::BlockingQueuedConnection);
}

void QtPlatform::Beep() {
    ++beeps_;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastBell_ < kBellGap) return;
    lastBell_ = now;
    QMetaObject::invokeMethod(&gui_, [] { QApplication::beep(); });  // queued from another thread
}

std::string QtPlatform::ClipboardText() {
    QString text;
    OnGuiThread([&text] { text = QGuiApplication::clipboard()->text(QClipboard::Clipboard); });
    return text.toStdString();
}

void QtPlatform::SetClipboardText(const std::string& text) {
    const QString qtext = QString::fromStdString(text);  // converted here: the GUI thread only stores it
    OnGuiThread([&qtext] {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear(QClipboard::Clipboard);
        clipboard->setText(qtext, QClipboard::Clipboard);
    });
}

}  // namespace calc::ui
