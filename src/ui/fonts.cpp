#include "fonts.h"

namespace calc::ui {

const QStringList& ChineseFamilies() {
    static const QStringList families{
        QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),
        QStringLiteral("宋体"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Source Han Serif SC"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("Droid Sans Fallback"),
    };
    return families;
}

QFont ChineseFont(qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies(ChineseFamilies());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Horizontal strokes on whole pixels: at 9 points an unhinted minus sign is a grey smear across two rows.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

}  // namespace calc::ui
