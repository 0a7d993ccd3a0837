#pragma once
// Moving about a calculator window with the keyboard alone. The order comes from where the
// controls stand on screen, never from a second list:
// - Tab and Shift+Tab visit the keys and check boxes in reading order: row by row, top to
//   bottom, each row left to right;
// - an arrow key moves to the nearest control on that side whose extent overlaps the current
//   one's across the arrow (at the edge of the grid the focus stays);
// - a window opens with nothing focused, so Space presses nothing the user has not chosen;
//   the first Tab goes to the first control;
// - a click presses a key or check box but leaves the focus where it was;
// - the focused control shows its focus mark from a key typed in the window until a mouse button
//   is pressed there;
// - when a menu of the menu bar closes (by the mouse or Esc) or a dialog of the window closes, and
//   leaves the focus on the menu bar or nowhere, the focus goes back to the control that had it.
#include <QWidget>
#include <vector>

class QMenuBar;

namespace calc::ui {

// The controls in reading order.
std::vector<QWidget*> ReadingOrder(std::vector<QWidget*> controls);

// Sets all of the above up on a built window; `controls` are its keys and check boxes.
void InstallKeyboardFocus(QWidget* window, QMenuBar* menuBar, const std::vector<QWidget*>& controls);

// A dialog of the window has closed: the window is active again, and its focus returns as above.
void ReturnKeyboardFocus(QWidget* window);

}  // namespace calc::ui
