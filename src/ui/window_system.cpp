#include "window_system.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>
#include <utility>

namespace calc::ui {

namespace {

constexpr Qt::WindowStates kLargeStates = Qt::WindowMaximized | Qt::WindowFullScreen;

// Wayland compositors require the configured size of a maximized or full-screen surface.
bool SizeIsConfiguredByCompositor() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// Hands every state the native window of a widget is asked for, or takes, to `onState`, from the
// window's creation on (it is made on the first show, or on a state request before it). Its
// owner (`parent`, or whoever holds it when there is none) must not outlive the window.
class StateWatch final : public QObject {
public:
    StateWatch(QObject* parent, QWidget* window, std::function<void(Qt::WindowState)> onState)
        : QObject(parent), window_(window), onState_(std::move(onState)) {
        window->installEventFilter(this);
        Watch();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::WinIdChange) Watch();
        return false;
    }

private:
    void Watch() {
        QWindow* handle = window_->windowHandle();
        if (!handle || handle == watched_) return;
        watched_ = handle;
        connect(handle, &QWindow::windowStateChanged, this, onState_);
    }

    QWidget* window_;
    QWindow* watched_ = nullptr;
    std::function<void(Qt::WindowState)> onState_;
};

class FixedSizeGuard final : public QObject {
public:
    // A child of `window`: the window ends it.
    explicit FixedSizeGuard(QWidget* window)
        : QObject(window),
          window_(window),
          watch_(std::make_unique<StateWatch>(nullptr, window, [this](Qt::WindowState s) { OnStateChanged(s); })) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Back at its own size after the compositor's size, and no longer maximized: held again.
        // (A late event of the size it had before the request holds nothing.)
        if (watched == window_ && event->type() == QEvent::Resize && released_) {
            const QSize size = static_cast<QResizeEvent*>(event)->size();
            if (size != size_)
                followed_ = true;
            else if (followed_ && !(window_->windowHandle()->windowStates() & kLargeStates))
                Hold();
        }
        return false;
    }

private:
    void OnStateChanged(Qt::WindowState state) {
        if (!(state & kLargeStates)) return;
        if (SizeIsConfiguredByCompositor() && !released_) Release();
        // Taken back once the request is through: from inside it, the window system would not hear of it.
        QTimer::singleShot(0, this, [this] {
            QWindow* handle = window_->windowHandle();
            if (handle && handle->windowStates() & kLargeStates)
                handle->setWindowStates(handle->windowStates() & ~kLargeStates);
        });
    }

    // Lets the window take whatever size the compositor configures, until it is back at its own.
    void Release() {
        released_ = true;
        followed_ = false;
        size_ = window_->size();
        if (QLayout* layout = window_->layout()) layout->setSizeConstraint(QLayout::SetNoConstraint);
        window_->setMinimumSize(0, 0);
        window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    void Hold() {
        released_ = false;
        window_->setFixedSize(size_);
        if (QLayout* layout = window_->layout()) layout->setSizeConstraint(QLayout::SetFixedSize);
    }

    QWidget* window_;
    QSize size_;
    bool released_ = false;
    bool followed_ = false;  // the window took another size while released
    // The guard ends it; declared last, so it ends first, before the members its calls reach.
    std::unique_ptr<StateWatch> watch_;
};

}  // namespace

void KeepFixedSize(QWidget* window) { new FixedSizeGuard(window); }  // the window ends it

void CloseWhenMinimized(QWidget* window) {
    new StateWatch(window, window, [window](Qt::WindowState state) {  // the window ends it
        if (state & Qt::WindowMinimized) QTimer::singleShot(0, window, &QWidget::close);
    });
}

void PlaceAndShow(QWidget* window, std::optional<QPoint> at) {
    if (window->layout()) window->layout()->activate();
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    auto place = [&] {
        if (!screen) return;
        const QRect avail = screen->availableGeometry();
        const QSize size = window->frameGeometry().size();
        const QPoint centred(avail.left() + (avail.width() - size.width()) / 2,
                             avail.top() + (avail.height() - size.height()) / 2);
        QPoint to = at.value_or(centred);
        to.setX(qMax(avail.left(), qMin(to.x(), avail.right() + 1 - size.width())));
        to.setY(qMax(avail.top(), qMin(to.y(), avail.bottom() + 1 - size.height())));
        window->move(to);
    };
    place();
    window->show();
    // Once shown, the window frame may be known: place the frame, not the client.
    if (window->frameGeometry().size() != window->size()) place();
}

}  // namespace calc::ui
