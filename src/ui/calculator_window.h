#pragma once
// The standard and scientific calculator windows, built from the keypad tables and
// the layout tables. The window holds no calculator logic: a key click presses the
// key in the core, a modifier box toggles the core's Inv or Hyp, a menu item calls the
// core's command, and afterwards the widgets are made to mirror the core again. Each
// of these actions goes through the CoreWorker, which carries them out in order and
// off the GUI thread (see core_worker.h).
#include <functional>
#include <QWidget>
#include <string>
#include <vector>

#include "app/calculator.h"
#include "core_worker.h"
#include "layout.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QMenuBar;
class QPushButton;

namespace calc::ui {

class TextBox;

class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(Calculator& calculator, CoreWorker& worker, Mode mode);

    Mode KeypadMode() const { return mode_; }

    // The button of a key of this window's keypad (nullptr for a key it does not have),
    // and all buttons in the keypad table's order.
    QPushButton* Button(Key key) const;
    const std::vector<QPushButton*>& Buttons() const { return buttons_; }
    TextBox* Display() const { return display_; }
    TextBox* MemoryIndicator() const { return memoryIndicator_; }
    TextBox* ParenIndicator() const { return parenIndicator_; }  // scientific only
    QCheckBox* Inverse() const { return inverse_; }              // scientific only
    QCheckBox* Hyperbolic() const { return hyperbolic_; }        // scientific only
    QWidget* ControlWidget(ui::Control control) const;
    QWidget* Client() const { return client_; }
    QMenuBar* Menu() const { return menuBar_; }
    // The menu item of a command, or nullptr when this window's menus lack it.
    QAction* Action(Command command) const;

    // Presses the key at an index of the keypad table, as a scenario's `click N` does
    // (an index without a key included), and mirrors the core afterwards (in order, like a click).
    void PressIndex(int index);
    // Makes every widget show what the core holds (on the GUI thread, while no work runs).
    void Sync();
    // The core switched to the other keypad: the window is hidden at once and deleted
    // later, since the call may come from one of its own menu items.
    void Retire();

signals:
    void KeyClicked(calc::Key key);
    void AboutRequested();
    // The user closed the window with its close box.
    void ClosedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the widgets are to show: read from the core on the thread that ran its work,
    // shown on the GUI thread.
    struct View;
    View Read() const;
    void Show(View& view);

    void BuildMenus();
    void BuildControls();
    void BuildKeys();
    void OnKey(Key key);
    void OnModifier(ui::Control box);
    void OnCommand(Command command);
    // Queues an action of this window, carried out on the GUI thread unless the window
    // is retired by then.
    void Queue(std::function<void()> action);
    // Queues a core action of this window: `work` runs on the worker thread, and the
    // widgets mirror the core after.
    void Carry(std::function<void()> work);

    Calculator& calculator_;
    CoreWorker& worker_;
    const Mode mode_;
    bool retired_ = false;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    TextBox* display_ = nullptr;
    TextBox* memoryIndicator_ = nullptr;
    TextBox* parenIndicator_ = nullptr;
    QGroupBox* modifiers_ = nullptr;
    QCheckBox* inverse_ = nullptr;
    QCheckBox* hyperbolic_ = nullptr;
    std::vector<QPushButton*> buttons_;
    std::vector<std::pair<Command, QAction*>> actions_;
    // The texts last copied from the core, to touch only what changed.
    std::string shownDisplay_, shownMemory_, shownParen_;
};

}  // namespace calc::ui
