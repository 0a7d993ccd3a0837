#pragma once
// A read-only, single-line text box for the calculator's display and indicators.
//
// The display may hold millions of characters (the digits of a large factorial), so
// the box never lays out its whole text: it paints only as much of the text's end
// (right-aligned) or start (left-aligned) as fits. It never takes the keyboard
// focus, so shortcuts such as Ctrl+C always reach the window's menu. It paints itself in the
// colours of the theme in force (palette_colours.h), its edge included. Screen readers
// see its accessible name and, as its text and value, the whole text it holds, and hear
// when it changes (accessibility.h).
#include <QString>
#include <QWidget>

namespace calc::ui {

class TextBox : public QWidget {
    Q_OBJECT
public:
    enum class Look { Display, Indicator };
    explicit TextBox(QWidget* parent = nullptr);

    Look look() const { return look_; }
    void setLook(Look look);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);  // Qt::AlignLeft or Qt::AlignRight

    // The part of the text that fits the box: a tail when right-aligned, a head when
    // left-aligned. Only this part is ever measured or painted.
    QString visibleText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect TextRect() const;

    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    Look look_ = Look::Display;
};

}  // namespace calc::ui
