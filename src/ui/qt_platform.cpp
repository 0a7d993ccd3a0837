#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QThread>
#include <future>
#include <memory>

#include "work/stop.h"

namespace calc::ui {

namespace {

constexpr std::chrono::milliseconds kBellGap(100);
constexpr std::chrono::milliseconds kStopCheckGap(5);

QString Clipboard() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }

}  // namespace

void QtPlatform::Beep() {
    ++beeps_;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastBell_ < kBellGap) return;
    lastBell_ = now;
    QMetaObject::invokeMethod(&gui_, [] { QApplication::beep(); });  // queued from another thread
}

std::string QtPlatform::ClipboardText() {
    if (QThread::currentThread() == gui_.thread()) return Clipboard().toStdString();
    auto reply = std::make_shared<std::promise<QString>>();
    std::future<QString> text = reply->get_future();
    QMetaObject::invokeMethod(&gui_, [reply] { reply->set_value(Clipboard()); });
    while (text.wait_for(kStopCheckGap) != std::future_status::ready) ThrowIfStopRequested();
    try {
        return text.get().toStdString();  // converted here: the GUI thread only hands it over
    } catch (const std::future_error&) {
        throw Stopped{};  // the request was dropped unanswered: the program is ending
    }
}

void QtPlatform::SetClipboardText(const std::string& text) {
    // Converted here: the GUI thread only stores it.
    QMetaObject::invokeMethod(&gui_, [text = QString::fromStdString(text)] {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear(QClipboard::Clipboard);
        clipboard->setText(text, QClipboard::Clipboard);
    });
}

}  // namespace calc::ui
