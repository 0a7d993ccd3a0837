#pragma once
// What screen readers see of the calculator's own widgets: a text box is a read-only
// text field whose text is the text it shows, a calculator window is a window.

namespace calc::ui {

// Adds the interfaces to Qt's accessibility factories; only the first call does anything.
// Call it before a text box or a calculator window is created.
void InstallAccessibleFactory();

}  // namespace calc::ui
