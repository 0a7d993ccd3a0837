#include "keyboard_focus.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>

#include "focus_mark.h"

namespace calc::ui {

namespace {

QRect InWindow(const QWidget* w) { return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size()); }

bool IsArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

class KeyboardFocus final : public QObject {
public:
    KeyboardFocus(QWidget* window, QMenuBar* menuBar, std::vector<QWidget*> order)
        : QObject(window), window_(window), menuBar_(menuBar), order_(std::move(order)) {
        for (std::size_t i = 1; i < order_.size(); ++i) QWidget::setTabOrder(order_[i - 1], order_[i]);
        for (QWidget* control : order_) {
            control->setFocusPolicy(Qt::TabFocus);  // a click presses it, the focus stays where it was
            control->installEventFilter(this);
        }
        MarkFocus();
        // The window itself holds the focus until the user moves it: Space then presses nothing. A click
        // never takes the focus from a control.
        window_->setFocusPolicy(Qt::NoFocus);
        window_->setFocus(Qt::OtherFocusReason);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (std::find(order_.begin(), order_.end(), now) != order_.end()) last_ = now;
        });
        window_->installEventFilter(this);
        menuBar_->installEventFilter(this);
        for (QMenu* menu : menuBar_->findChildren<QMenu*>())
            connect(menu, &QMenu::aboutToHide, this, &KeyboardFocus::ReturnSoon);
    }

    // Once the menu bar has handled its key or closed its menu, or a dialog of the window has closed:
    // the focus, if it is nowhere or on the menu bar, goes back to the control that had it.
    void ReturnSoon() {
        QTimer::singleShot(0, this, [this] {
            if (QApplication::activePopupWidget()) return;
            const QWidget* focus = QApplication::focusWidget();
            if (focus && focus != menuBar_) return;
            if (last_)
                last_->setFocus(Qt::OtherFocusReason);
            else
                window_->setFocus(Qt::OtherFocusReason);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) ShowFocusMark(false);
        if (event->type() != QEvent::KeyPress) return false;
        ShowFocusMark(true);
        const auto* press = static_cast<QKeyEvent*>(event);
        if (watched == menuBar_) {
            if (press->key() == Qt::Key_Escape) ReturnSoon();
            return false;
        }
        if (watched == window_) return window_->hasFocus() && EnterChain(press->key());
        if (!IsArrow(press->key()) || (press->modifiers() & ~Qt::KeypadModifier)) return false;
        if (QWidget* to = Neighbour(static_cast<QWidget*>(watched), press->key())) to->setFocus(Qt::TabFocusReason);
        return true;  // at the edge of the grid the focus stays
    }

private:
    // From the window itself, Tab goes to the first control and Shift+Tab to the last.
    bool EnterChain(int key) {
        if (order_.empty() || (key != Qt::Key_Tab && key != Qt::Key_Backtab)) return false;
        (key == Qt::Key_Tab ? order_.front() : order_.back())->setFocus(Qt::TabFocusReason);
        return true;
    }

    // The keys keep the application's style under the mark; the check boxes keep their own.
    void MarkFocus() {
        QStyle* keyStyle = nullptr;
        std::vector<std::pair<QStyle*, QStyle*>> marked;  // a control's style and its marking proxy
        for (QWidget* control : order_) {
            QStyle* own = control->style();
            if (own == QApplication::style()) {
                if (!keyStyle) keyStyle = new FocusMarkStyle;
                keyStyle->setParent(window_);
                control->setStyle(keyStyle);
                continue;
            }
            auto found = std::find_if(marked.begin(), marked.end(), [own](const auto& m) { return m.first == own; });
            if (found == marked.end()) {
                marked.emplace_back(own, new FocusMarkStyle(own));  // takes the style over
                marked.back().second->setParent(window_);
                found = marked.end() - 1;
            }
            control->setStyle(found->second);
        }
    }

    // The nearest control on the arrow's side among those overlapping `from` across the arrow; on a
    // tie, the nearer across it, then the first in reading order.
    QWidget* Neighbour(QWidget* from, int key) const {
        const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
        const int sign = key == Qt::Key_Right || key == Qt::Key_Down ? 1 : -1;
        const QRect f = InWindow(from);
        QWidget* best = nullptr;
        std::pair<int, int> bestDistance;
        for (QWidget* c : order_) {
            if (c == from || !c->isVisible() || !c->isEnabled()) continue;
            const QRect r = InWindow(c);
            const QPoint d = r.center() - f.center();
            const int along = sign * (horizontal ? d.x() : d.y());
            const bool overlaps = horizontal ? r.top() <= f.bottom() && r.bottom() >= f.top()
                                             : r.left() <= f.right() && r.right() >= f.left();
            if (along <= 0 || !overlaps) continue;
            const std::pair<int, int> distance{along, std::abs(horizontal ? d.y() : d.x())};
            if (!best || distance < bestDistance) std::tie(best, bestDistance) = std::tie(c, distance);
        }
        return best;
    }

    // The focus mark shows from a key typed in the window until a mouse button is pressed there (a press
    // that no control takes reaches the window).
    void ShowFocusMark(bool show) {
        if (window_->testAttribute(Qt::WA_KeyboardFocusChange) == show) return;
        window_->setAttribute(Qt::WA_KeyboardFocusChange, show);
        if (QWidget* focus = window_->focusWidget()) focus->update();
    }

    QWidget* window_;
    QMenuBar* menuBar_;
    const std::vector<QWidget*> order_;
    QPointer<QWidget> last_;  // the control that last had the focus
};

}  // namespace

std::vector<QWidget*> ReadingOrder(std::vector<QWidget*> controls) {
    std::stable_sort(controls.begin(), controls.end(),
                     [](const QWidget* a, const QWidget* b) { return InWindow(a).top() < InWindow(b).top(); });
    // A control starts a new row when its top is below the middle of the first control of the row.
    std::vector<std::tuple<int, int, QWidget*>> placed;
    int row = -1, rowMiddle = 0;
    for (QWidget* c : controls) {
        const QRect r = InWindow(c);
        if (row < 0 || r.top() >= rowMiddle) {
            ++row;
            rowMiddle = r.center().y();
        }
        placed.emplace_back(row, r.left(), c);
    }
    std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    for (std::size_t i = 0; i < placed.size(); ++i) controls[i] = std::get<2>(placed[i]);
    return controls;
}

void InstallKeyboardFocus(QWidget* window, QMenuBar* menuBar, const std::vector<QWidget*>& controls) {
    new KeyboardFocus(window, menuBar, ReadingOrder(controls));
}

void ReturnKeyboardFocus(QWidget* window) {
    if (!QApplication::activeWindow()) window->activateWindow();
    for (QObject* child : window->children())
        if (auto* focus = dynamic_cast<KeyboardFocus*>(child)) focus->ReturnSoon();
}

}  // namespace calc::ui
