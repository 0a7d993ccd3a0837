#include "about_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>

#include "about_layout.h"
#include "caption_fit.h"
#include "focus_mark.h"
#include "fonts.h"
#include "twips.h"
#include "window_system.h"

namespace calc::ui {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    const WindowFrame frame = AboutFrame();
    setObjectName(QLatin1String(frame.objectName));
    setWindowTitle(QString::fromUtf8(frame.caption));
    setFixedSize(Px(frame.clientWidth), Px(frame.clientHeight));
    // Modal to the window that opened it only, which must never wait for it minimized.
    setWindowModality(Qt::WindowModal);
    KeepFixedSize(this);
    CloseWhenMinimized(this);

    const QFont labelFont = ChineseFont(kAboutLabelPoints, true);
    const QFont buttonFont = ChineseFont(kAboutButtonPoints, true);
    for (const AboutControlDef& c : AboutControls()) {
        QString text = QString::fromUtf8(c.text);
        if (c.kind == AboutKind::PlatformLabel) text += QSysInfo::prettyProductName();
        QWidget* w = nullptr;
        switch (c.kind) {
            case AboutKind::Label:
            case AboutKind::WrappedLabel:
            case AboutKind::PlatformLabel: {
                auto* label = new QLabel(text, this);
                label->setFont(labelFont);
                label->setTextFormat(Qt::PlainText);
                label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                label->setWordWrap(c.kind == AboutKind::WrappedLabel);
                w = label;
                break;
            }
            case AboutKind::Line: {
                auto* line = new QFrame(this);
                line->setFrameShape(QFrame::HLine);
                line->setFrameShadow(QFrame::Sunken);
                line->setAccessibleName(QStringLiteral("分隔线"));
                w = line;
                break;
            }
            case AboutKind::Button: {
                auto* button = new QPushButton(text, this);
                auto* style = new FocusMarkStyle;  // its edge shows in every theme
                style->setParent(button);
                button->setStyle(style);
                button->setFont(buttonFont);
                button->setDefault(true);
                connect(button, &QPushButton::clicked, this, &QDialog::accept);
                w = button;
                break;
            }
        }
        w->setObjectName(QLatin1String(c.objectName));
        QRect r = PxRect(c.rect);
        if (c.kind == AboutKind::Line) r = QRect(r.left(), r.top() - 1, r.width(), 2);
        w->setGeometry(r);
        FitCaption(w);
    }
}

}  // namespace calc::ui
