#include "qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QThread>
#include <future>
#include <memory>
#include <new>

#include "work/stop.h"

namespace calc::ui {

namespace {

constexpr std::chrono::milliseconds kBellGap(100);
constexpr std::chrono::milliseconds kStopCheckGap(5);
const QString kPlain = QStringLiteral("text/plain");
const QString kUtf8 = QStringLiteral("text/plain;charset=utf-8");

// A copied text, held as its UTF-8 bytes made once: whoever asks for them (another program reading the
// clipboard, a paste) gets those bytes shared, with nothing made anew. Only a request for a Qt text (a
// QString) converts, and finds no text when no memory is left for that.
class CopiedText : public QMimeData {
public:
    explicit CopiedText(QByteArray bytes) : bytes_(std::move(bytes)) {}
    QStringList formats() const override { return {kPlain, kUtf8}; }
    bool hasFormat(const QString& format) const override { return format == kPlain || format == kUtf8; }

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override {
        if (!hasFormat(format)) return {};
        if (type.id() != QMetaType::QString) return bytes_;
        try {
            return QString::fromUtf8(bytes_);
        } catch (const std::bad_alloc&) {
            return {};
        }
    }

private:
    QByteArray bytes_;
};

// The clipboard's text as UTF-8 bytes; the owner's own bytes when it offers UTF-8 (a copy of ours does).
QByteArray ClipboardBytes() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data) return {};
    return data->hasFormat(kUtf8) ? data->data(kUtf8) : data->text().toUtf8();
}

}  // namespace

void QtPlatform::Beep() {
    ++beeps_;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastBell_ < kBellGap) return;
    lastBell_ = now;
    QMetaObject::invokeMethod(&gui_, [] { QApplication::beep(); });  // queued from another thread
}

std::string QtPlatform::ClipboardText() {
    if (QThread::currentThread() == gui_.thread()) return ClipboardBytes().toStdString();
    auto reply = std::make_shared<std::promise<QByteArray>>();
    std::future<QByteArray> bytes = reply->get_future();
    QMetaObject::invokeMethod(&gui_, [reply] {
        try {
            reply->set_value(ClipboardBytes());
        } catch (const std::bad_alloc&) {
            reply->set_exception(std::current_exception());  // the paste ends out of memory
        }
    });
    while (bytes.wait_for(kStopCheckGap) != std::future_status::ready) ThrowIfStopRequested();
    try {
        return bytes.get().toStdString();  // converted here: the GUI thread only hands it over
    } catch (const std::future_error&) {
        throw Stopped{};  // the request was dropped unanswered: the program is ending
    }
}

void QtPlatform::SetClipboardText(const std::string& text) {
    // The bytes are made here, once (with no memory for them the copy fails before the clipboard changes);
    // the GUI thread only hands them to the clipboard.
    QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    QMetaObject::invokeMethod(&gui_, [bytes = std::move(bytes)] {
        QGuiApplication::clipboard()->setMimeData(new CopiedText(bytes), QClipboard::Clipboard);
    });
}

}  // namespace calc::ui
