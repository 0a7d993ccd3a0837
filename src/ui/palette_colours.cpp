#include "palette_colours.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace calc::ui {

namespace {

constexpr double kTextContrast = 4.5;  // WCAG's least for text
constexpr double kEdgeContrast = 3;    // and for what shows the extent of a control

double Luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QPalette::ColorRole TextRoleOn(QPalette::ColorRole background) {
    if (background == QPalette::Base) return QPalette::Text;
    if (background == QPalette::Window) return QPalette::WindowText;
    return QPalette::ButtonText;
}

BoxColours Readable(const QPalette& palette, std::initializer_list<QPalette::ColorRole> backgrounds) {
    BoxColours best;
    double bestContrast = 0;
    for (QPalette::ColorRole b : backgrounds) {
        const QColor background = palette.color(b);
        for (QPalette::ColorRole t : {TextRoleOn(b), QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            const BoxColours pair{background, palette.color(t)};
            const double contrast = Contrast(pair.background, pair.text);
            if (contrast >= kTextContrast) return pair;
            if (contrast > bestContrast) {
                best = pair;
                bestContrast = contrast;
            }
        }
    }
    return best;
}

}  // namespace

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

BoxColours DisplayColours(const QPalette& palette) { return Readable(palette, {QPalette::Base, QPalette::Window}); }

BoxColours IndicatorColours(const QPalette& palette) {
    return Readable(palette, {QPalette::Midlight, QPalette::Button, QPalette::Window, QPalette::Base});
}

QColor EdgeColour(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window), ink = palette.color(QPalette::WindowText);
    constexpr int kSteps = 16;
    QColor edge = ink;
    for (int step = 1; step < kSteps; ++step) {
        const double t = double(step) / kSteps;
        auto mix = [t](double from, double to) { return from + t * (to - from); };
        edge = QColor::fromRgbF(float(mix(window.redF(), ink.redF())), float(mix(window.greenF(), ink.greenF())),
                                float(mix(window.blueF(), ink.blueF())));
        if (Contrast(edge, window) >= kEdgeContrast) return edge;
    }
    return ink;
}

void DrawEdge(QPainter& painter, const QRect& r, const QColor& colour) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

}  // namespace calc::ui
