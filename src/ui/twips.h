#pragma once
// Layout tables are in twips; Qt lays widgets out in device-independent pixels.
// 1440 twips make an inch and a logical inch is 96 pixels, so 15 twips make a
// pixel. On high-density screens Qt scales these pixels itself.
#include <QRect>

namespace calc::ui {

struct TwipRect {
    int left, top, width, height;
};

constexpr int kTwipsPerPixel = 15;

constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline QRect PxRect(const TwipRect& r) { return QRect(Px(r.left), Px(r.top), Px(r.width), Px(r.height)); }

}  // namespace calc::ui
