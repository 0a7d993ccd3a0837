#include "about_layout.h"

#include <array>

#include "calc_version.h"

namespace calc::ui {

namespace {

constexpr std::array<AboutControlDef, 12> kAbout{{
    {"name", AboutKind::Label, {120, 120, 1800, 210}, "软件名称：计算器"},
    {"kind", AboutKind::Label, {120, 480, 2025, 210}, "软件性质：免费软件"},
    {"version", AboutKind::Label, {120, 840, 1035, 210}, "版本：" CALC_VERSION},
    {"copyright", AboutKind::Label, {120, 1200, 3900, 210}, "版权声明：本软件可自由复制与分发"},
    {"author", AboutKind::Label, {120, 1560, 1755, 210}, "作者：开发小组"},
    {"tools", AboutKind::Label, {120, 1920, 3525, 210}, "开发工具：C++20 与 Qt 6"},
    {"platform", AboutKind::PlatformLabel, {120, 2280, 4845, 210}, "运行平台："},
    {"contact", AboutKind::Label, {240, 2640, 7935, 210}, CALC_CONTACT},
    {"summary",
     AboutKind::WrappedLabel,
     {120, 3120, 8055, 1935},
     "本计算器有两种模式，可从“查看”菜单随时切换。"
     "标准型：即时计算，运算按输入顺序依次进行，支持平方根、百分比、倒数、正负号、"
     "退格、清除和一个存储器；重复按“=”可重复上一次运算。"
     "科学型：按运算符优先级计算整个表达式，支持括号、乘方与开方、取模、圆周率，"
     "自然对数与常用对数、三角函数及其反函数、双曲函数、平方、立方、取整，"
     "以及可得出全部位数的精确阶乘。"
     "科学型还可以通过“编辑”菜单粘贴整个算式，粘贴的算式按键逐一计算。"},
    {"separator", AboutKind::Line, {165, 5160, 8115, 0}, ""},
    {"disclaimer",
     AboutKind::WrappedLabel,
     {165, 5400, 8175, 495},
     "声明：本软件为免费软件，欢迎使用和传播。计算结果仅供参考，"
     "因使用本软件造成的任何损失，开发者不承担责任。"},
    {"ok", AboutKind::Button, {7080, 5880, 1215, 375}, "确定"},
}};

}  // namespace

std::span<const AboutControlDef> AboutControls() { return kAbout; }

WindowFrame AboutFrame() { return {"aboutWindow", "关于计算器", 8445, 6435}; }

}  // namespace calc::ui
