#pragma once
// What screen readers see of the calculator's own widgets: a text box is a read-only
// text field whose text is the text it shows, a calculator window is a window.
//
// Positions and sizes: Qt's interfaces give them in device-independent pixels, and Qt 6.4's
// AT-SPI bridge (the Linux one) hands them on unscaled: with QT_SCALE_FACTOR 1.5 or 2 every
// extent a screen reader gets is that of scale 1 (the standard window 308x237 where the screen
// shows 462x356 or 616x474). The fix belongs in Qt's bridge, which is the only place that knows
// the screen's scale for every kind of widget; scaling here would cover our two classes only and
// be scaled twice by a Qt that does it.

namespace calc::ui {

// Adds the interfaces to Qt's accessibility factories; only the first call does anything.
// Call it before a text box or a calculator window is created.
void InstallAccessibleFactory();

}  // namespace calc::ui
