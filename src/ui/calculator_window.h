#pragma once
// The standard and scientific calculator windows, built from the keypad tables and
// the layout tables. The window holds no calculator logic: a key click, a modifier box
// or a menu item posts its action to the calculator thread (calculator_thread.h), and
// the window shows the views that the thread sends back.
#include <functional>
#include <QWidget>
#include <string>
#include <vector>

#include "app/calculator.h"
#include "calculator_thread.h"
#include "layout.h"
#include "window_view.h"

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
    CalculatorWindow(CalculatorThread& calculator, Mode mode);

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
    // (an index without a key included), in order with the clicks.
    void PressIndex(int index);
    // Shows a view of the calculator: the texts it gives, and the modifier boxes.
    void Show(const WindowView& view);
    // The core switched to the other keypad: the window is hidden at once and deleted
    // later, and posts nothing more.
    void Retire();

signals:
    void AboutRequested();
    // The user closed the window with its close box.
    void ClosedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildControls();
    void BuildKeys();
    void OnKey(Key key);
    void OnModifier(ui::Control box);
    void OnCommand(Command command);
    void Post(CalculatorThread::Action action, Bearing bearing = Bearing::NeedsResult);

    CalculatorThread& calculator_;
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
};

}  // namespace calc::ui
