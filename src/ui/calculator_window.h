#pragma once
// The standard (Form1) and scientific (Form2) calculator windows, built from the
// layout tables of app/keypads.h. The window holds no calculator logic: a key click
// forwards the key's index to the core, a check box click sets the core's box, a
// menu item calls the core's menu command, and afterwards the widgets are made to
// mirror the core's controls again.
#include <QWidget>
#include <string>
#include <vector>

#include "app/application.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QMenuBar;
class QPushButton;

namespace calc::ui {

class TextBox;

// The button array Command1: one click event for all keys, carrying the index.
// click() raises it for any index, even one that has no button.
class ControlArray : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void click(int index) { emit clicked(index); }

signals:
    void clicked(int index);
};

class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(Application& app, WindowKind kind);

    WindowKind kind() const { return kind_; }

    ControlArray* command1() { return &command1_; }
    QPushButton* key(int index) const;  // nullptr when the index has no button
    const std::vector<QPushButton*>& keys() const { return keys_; }
    TextBox* text1() const { return text1_; }
    TextBox* text2() const { return text2_; }
    TextBox* text3() const { return text3_; }  // scientific only
    QGroupBox* frame1() const { return frame1_; }  // scientific only
    QCheckBox* check1() const { return check1_; }  // scientific only
    QCheckBox* check2() const { return check2_; }  // scientific only
    QWidget* client() const { return client_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // The menu item with this name (mnuCopy, mnuPaste, mnuScience, ...), or nullptr.
    QAction* action(const char* name) const;
    // The widget built for a control of the layout table (Text1, Frame1, Check2, ...).
    QWidget* control(const char* name) const;

    // Makes every widget show what the core's controls hold.
    void Sync();
    // The core unloaded this window: it is hidden at once and deleted later, since
    // the call may come from one of its own menu items.
    void Retire();
    bool retired() const { return retired_; }

signals:
    void aboutRequested();
    // The user closed the window with its close box.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildControls();
    void BuildKeys();
    void OnKey(int index);
    void OnCheck(int which, bool checked);
    void OnMenu(const std::string& name);

    Application& app_;
    const WindowKind kind_;
    bool retired_ = false;
    ControlArray command1_;
    QMenuBar* menuBar_ = nullptr;
    QWidget* client_ = nullptr;
    TextBox* text1_ = nullptr;
    TextBox* text2_ = nullptr;
    TextBox* text3_ = nullptr;
    QGroupBox* frame1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    std::vector<QPushButton*> keys_;  // by index
    // The texts last copied from the core, to touch only what changed.
    std::string shown1_, shown2_, shown3_;
};

}  // namespace calc::ui
