#include "gui_driver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QMouseEvent>
#include <cstdlib>
#include <iostream>

#include "work/heap.h"
#include "calculator_window.h"
#include "headless_driver.h"
#include "program.h"
#include "scenario.h"
#include "text_box.h"

namespace calc::script {

namespace {

// Windows retired by a menu item are deleted once control is back here.
void DeleteRetiredWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// A click as the mouse makes it: the left button pressed and released at `at`.
void Click(QWidget* widget, QPoint at) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }
}

// Until the calculator thread has carried out every action and the window shows its view.
void WaitUntilIdle(const ui::Program& program) {
    while (!program.Idle()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void ClickCheckBox(QCheckBox* box) {
    // Click where the box itself is drawn, so the hit test of the check box accepts it.
    QStyleOptionButton opt;
    opt.initFrom(box);
    const QRect hit = box->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &opt, box);
    Click(box, hit.isValid() ? hit.center() : box->rect().center());
}

std::string Shown(const ui::TextBox* box) { return box ? box->text().toStdString() : std::string(); }

}  // namespace

GuiDriver::GuiDriver() { GuiDriver::Start(); }

GuiDriver::~GuiDriver() { Stop(); }

void GuiDriver::Stop() {
    program_.reset();
    DeleteRetiredWindows();
}

void GuiDriver::Start() {
    Stop();
    // A fresh start sees an empty clipboard, as the headless driver does.
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    program_ = std::make_unique<ui::Program>();
    program_->Start();
}

ui::CalculatorWindow* GuiDriver::Window() const { return program_ ? program_->Window() : nullptr; }

Mode GuiDriver::CurrentMode() {
    ui::CalculatorWindow* w = Window();
    return w ? w->KeypadMode() : program_->Core().CurrentMode();
}

void GuiDriver::Trigger(ui::Command command) {
    ui::CalculatorWindow* w = Window();
    if (!w) return;
    if (QAction* a = w->Action(command)) a->trigger();
    Settle();
    DeleteRetiredWindows();
}

void GuiDriver::Settle() {
    WaitUntilIdle(*program_);
    CheckCore(program_->Core());
}

void GuiDriver::ShowMode(Mode mode) {
    if (mode == CurrentMode()) return;
    Trigger(mode == Mode::Scientific ? ui::Command::ShowScientific : ui::Command::ShowStandard);
}

bool GuiDriver::Press(const std::string& caption) {
    ui::CalculatorWindow* w = Window();
    if (!w) return false;
    const QString text = QString::fromStdString(caption);
    for (QCheckBox* box : {w->Inverse(), w->Hyperbolic()}) {
        if (box && box->text() == text) {
            ClickCheckBox(box);
            Settle();
            return true;
        }
    }
    for (QPushButton* button : w->Buttons()) {
        if (button && button->text() == text) {
            Click(button, button->rect().center());
            Settle();
            return true;
        }
    }
    return false;
}

void GuiDriver::PressIndex(int index) {
    if (ui::CalculatorWindow* w = Window()) w->PressIndex(index);
    Settle();
}

void GuiDriver::Paste(std::string text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text), QClipboard::Clipboard);
    Trigger(ui::Command::Paste);
}

void GuiDriver::Copy() { Trigger(ui::Command::Copy); }

std::string GuiDriver::Clipboard() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString(); }

long GuiDriver::Beeps() { return program_->Desktop().Beeps(); }

Snapshot GuiDriver::Read() {
    // The lock and the token list are not on screen: they come from the core.
    Snapshot s = ReadCore(program_->Core());
    ui::CalculatorWindow* w = Window();
    if (!w) return s;
    s.display = Shown(w->Display());
    s.memory = Shown(w->MemoryIndicator());
    if (w->KeypadMode() == Mode::Scientific) {
        s.paren = Shown(w->ParenIndicator());
        s.inv = w->Inverse()->isChecked() ? "1" : "0";
        s.hyp = w->Hyperbolic()->isChecked() ? "1" : "0";
    } else {
        s.paren.clear();
        s.inv.clear();
        s.hyp.clear();
    }
    return s;
}

ExitStatus RunGui(int& argc, char** argv, const Options& options) {
    const ui::DisplayCheck display = ui::PrepareDisplay(argc, argv);
    if (!display.usable && (display.chosen || display.configured)) {
        std::cerr << "calc-script: --gui: no display to open the windows on; tried " << display.tried << "\n";
        return ExitStatus::Trouble;
    }
    if (!display.usable) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    UseOneHeap();  // as the calculator does
    QApplication qapp(argc, argv);
    GuiDriver driver;
    if (options.check) return CheckFiles(driver, options.files, std::cout, std::cerr);
    return Interactive(driver, std::cin, std::cout, std::cerr);
}

}  // namespace calc::script
