#include "layout.h"

#include <array>
#include <cstdlib>

namespace calc::ui {

namespace {

// The size of a key, in twips; BackSpace, CE and C are wider.
constexpr int kKeyWidth = 615, kKeyHeight = 375, kWideKeyWidth = 975;

constexpr std::array<KeyPlace, 27> kStandardKeys{{
    {Key::Digit0, {960, 2640, kKeyWidth, kKeyHeight}, "零"},
    {Key::Digit1, {960, 2160, kKeyWidth, kKeyHeight}, "一"},
    {Key::Digit2, {1680, 2160, kKeyWidth, kKeyHeight}, "二"},
    {Key::Digit3, {2400, 2160, kKeyWidth, kKeyHeight}, "三"},
    {Key::Digit4, {960, 1680, kKeyWidth, kKeyHeight}, "四"},
    {Key::Digit5, {1680, 1680, kKeyWidth, kKeyHeight}, "五"},
    {Key::Digit6, {2400, 1680, kKeyWidth, kKeyHeight}, "六"},
    {Key::Digit7, {960, 1200, kKeyWidth, kKeyHeight}, "七"},
    {Key::Digit8, {1680, 1200, kKeyWidth, kKeyHeight}, "八"},
    {Key::Digit9, {2400, 1200, kKeyWidth, kKeyHeight}, "九"},
    {Key::Point, {2400, 2640, kKeyWidth, kKeyHeight}, "小数点"},
    {Key::Add, {3120, 2640, kKeyWidth, kKeyHeight}, "加"},
    {Key::Subtract, {3120, 2160, kKeyWidth, kKeyHeight}, "减"},
    {Key::Multiply, {3120, 1680, kKeyWidth, kKeyHeight}, "乘"},
    {Key::Divide, {3120, 1200, kKeyWidth, kKeyHeight}, "除"},
    {Key::Equals, {3840, 2640, kKeyWidth, kKeyHeight}, "等于"},
    {Key::Sign, {1680, 2640, kKeyWidth, kKeyHeight}, "正负号"},
    {Key::SquareRoot, {3840, 1200, kKeyWidth, kKeyHeight}, "平方根"},
    {Key::Percent, {3840, 1680, kKeyWidth, kKeyHeight}, "百分比"},
    {Key::Reciprocal, {3840, 2160, kKeyWidth, kKeyHeight}, "倒数"},
    {Key::Clear, {3480, 720, kWideKeyWidth, kKeyHeight}, "清除"},
    {Key::ClearEntry, {2400, 720, kWideKeyWidth, kKeyHeight}, "清除输入"},
    {Key::BackSpace, {1320, 720, kWideKeyWidth, kKeyHeight}, "退格"},
    {Key::MemoryClear, {120, 1200, kKeyWidth, kKeyHeight}, "清除存储"},
    {Key::MemoryRecall, {120, 1680, kKeyWidth, kKeyHeight}, "读取存储"},
    {Key::MemoryStore, {120, 2160, kKeyWidth, kKeyHeight}, "存储"},
    {Key::MemoryAdd, {120, 2640, kKeyWidth, kKeyHeight}, "存储加"},
}};

constexpr std::array<KeyPlace, 39> kScientificKeys{{
    {Key::Digit0, {3480, 2880, kKeyWidth, kKeyHeight}, "零"},
    {Key::Digit1, {3480, 2400, kKeyWidth, kKeyHeight}, "一"},
    {Key::Digit2, {4200, 2400, kKeyWidth, kKeyHeight}, "二"},
    {Key::Digit3, {4920, 2400, kKeyWidth, kKeyHeight}, "三"},
    {Key::Digit4, {3480, 1920, kKeyWidth, kKeyHeight}, "四"},
    {Key::Digit5, {4200, 1920, kKeyWidth, kKeyHeight}, "五"},
    {Key::Digit6, {4920, 1920, kKeyWidth, kKeyHeight}, "六"},
    {Key::Digit7, {3480, 1440, kKeyWidth, kKeyHeight}, "七"},
    {Key::Digit8, {4200, 1440, kKeyWidth, kKeyHeight}, "八"},
    {Key::Digit9, {4920, 1440, kKeyWidth, kKeyHeight}, "九"},
    {Key::Point, {4920, 2880, kKeyWidth, kKeyHeight}, "小数点"},
    {Key::Add, {5640, 2880, kKeyWidth, kKeyHeight}, "加"},
    {Key::Subtract, {5640, 2400, kKeyWidth, kKeyHeight}, "减"},
    {Key::Multiply, {5640, 1920, kKeyWidth, kKeyHeight}, "乘"},
    {Key::Divide, {5640, 1440, kKeyWidth, kKeyHeight}, "除"},
    {Key::Sign, {4200, 2880, kKeyWidth, kKeyHeight}, "正负号"},
    {Key::OpenParen, {1560, 1440, kKeyWidth, kKeyHeight}, "左括号"},
    {Key::CloseParen, {1560, 1920, kKeyWidth, kKeyHeight}, "右括号"},
    {Key::Power, {840, 2880, kKeyWidth, kKeyHeight}, "乘方"},
    {Key::Equals, {6360, 2880, kKeyWidth, kKeyHeight}, "等于"},
    {Key::Clear, {6000, 840, kWideKeyWidth, kKeyHeight}, "清除"},
    {Key::MemoryClear, {2280, 1440, kKeyWidth, kKeyHeight}, "清除存储"},
    {Key::MemoryRecall, {2280, 1920, kKeyWidth, kKeyHeight}, "读取存储"},
    {Key::MemoryStore, {2280, 2400, kKeyWidth, kKeyHeight}, "存储"},
    {Key::MemoryAdd, {2280, 2880, kKeyWidth, kKeyHeight}, "存储加"},
    {Key::Ln, {120, 1440, kKeyWidth, kKeyHeight}, "自然对数"},
    {Key::Log, {120, 1920, kKeyWidth, kKeyHeight}, "常用对数"},
    {Key::Factorial, {120, 2400, kKeyWidth, kKeyHeight}, "阶乘"},
    {Key::Reciprocal, {120, 2880, kKeyWidth, kKeyHeight}, "倒数"},
    {Key::Sin, {840, 1440, kKeyWidth, kKeyHeight}, "正弦"},
    {Key::Cos, {840, 1920, kKeyWidth, kKeyHeight}, "余弦"},
    {Key::Tan, {840, 2400, kKeyWidth, kKeyHeight}, "正切"},
    {Key::Square, {1560, 2400, kKeyWidth, kKeyHeight}, "平方"},
    {Key::Cube, {1560, 2880, kKeyWidth, kKeyHeight}, "立方"},
    {Key::Int, {6360, 2400, kKeyWidth, kKeyHeight}, "取整"},
    {Key::Modulo, {6360, 1920, kKeyWidth, kKeyHeight}, "取模"},
    {Key::Pi, {6360, 1440, kKeyWidth, kKeyHeight}, "圆周率"},
    {Key::ClearEntry, {4920, 840, kWideKeyWidth, kKeyHeight}, "清除输入"},
    {Key::BackSpace, {3840, 840, kWideKeyWidth, kKeyHeight}, "退格"},
}};

constexpr std::array<ControlPlace, 2> kStandardControls{{
    {Control::Display, "display", "0", {120, 120, 4335, 390}, "显示"},
    {Control::MemoryIndicator, "memoryIndicator", "", {120, 720, 480, 360}, "存储指示"},
}};

constexpr std::array<ControlPlace, 6> kScientificControls{{
    {Control::Display, "display", "0", {240, 240, 6615, 390}, "显示"},
    {Control::ParenIndicator, "parenIndicator", "", {1920, 840, 480, 360}, "括号指示"},
    {Control::MemoryIndicator, "memoryIndicator", "", {2640, 840, 480, 360}, "存储指示"},
    {Control::Modifiers, "modifiers", "", {120, 720, 1575, 525}, "功能键修饰"},
    {Control::Inverse, "inverse", "Inv", {120, 120, 735, 375}, "反函数"},
    {Control::Hyperbolic, "hyperbolic", "Hyp", {840, 120, 615, 375}, "双曲函数"},
}};

constexpr std::array<MenuItem, 3> kStandardMenus{{
    {"编辑 (&E)", Command::Copy, "copy", "复制 (&C)", "Ctrl+C"},
    {"查看 (&V)", Command::ShowScientific, "showScientific", "科学型 (&S)", ""},
    {"帮助 (&H)", Command::About, "about", "关于计算器 (&A)", ""},
}};

constexpr std::array<MenuItem, 4> kScientificMenus{{
    {"编辑 (&E)", Command::Copy, "copy", "复制 (&C)", "Ctrl+C"},
    {"编辑 (&E)", Command::Paste, "paste", "粘贴 (&P)", "Ctrl+V"},
    {"查看 (&V)", Command::ShowStandard, "showStandard", "标准型 (&T)", ""},
    {"帮助 (&H)", Command::About, "about", "关于计算器 (&A)", ""},
}};

}  // namespace

WindowFrame Frame(Mode mode) {
    if (mode == Mode::Standard) return {"standardWindow", "计算器<标准型>", 4620, 3240};
    return {"scientificWindow", "计算器<科学型>", 7110, 3450};
}

std::span<const KeyPlace> KeyPlaces(Mode mode) {
    if (mode == Mode::Standard) return kStandardKeys;
    return kScientificKeys;
}

const KeyPlace& PlaceOf(Mode mode, Key key) {
    for (const KeyPlace& p : KeyPlaces(mode)) {
        // cppcheck-suppress returnTempReference ; the span views a static table, no temporary
        if (p.key == key) return p;
    }
    std::abort();  // every key of a keypad table has its place
}

std::span<const ControlPlace> Controls(Mode mode) {
    if (mode == Mode::Standard) return kStandardControls;
    return kScientificControls;
}

std::span<const MenuItem> Menus(Mode mode) {
    if (mode == Mode::Standard) return kStandardMenus;
    return kScientificMenus;
}

}  // namespace calc::ui
