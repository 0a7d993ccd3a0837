#pragma once
// The Chinese font of the keypads and displays: SimSun where it is installed,
// otherwise the first CJK family of a fallback list that the system has.
#include <QFont>
#include <QStringList>

namespace calc::ui {

// Preferred families, in order; Qt's font matching takes the first one installed.
const QStringList& ChineseFamilies();

QFont ChineseFont(qreal pointSize, bool bold);

}  // namespace calc::ui
