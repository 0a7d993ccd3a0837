#pragma once
// The About window: fixed labels, a separator line and an OK button, laid out from
// the table in about_layout.h. Modal to the window it belongs to; closing it is all it does.
#include <QDialog>

namespace calc::ui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace calc::ui
