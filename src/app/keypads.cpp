#include "app/keypads.h"

namespace calc {

namespace {

constexpr int kW = 615, kH = 375, kWide = 975;

constexpr std::array<KeyDef, 27> kStandard{{
    {0, "0", {960, 2640, kW, kH}, "零"},
    {1, "1", {960, 2160, kW, kH}, "一"},
    {2, "2", {1680, 2160, kW, kH}, "二"},
    {3, "3", {2400, 2160, kW, kH}, "三"},
    {4, "4", {960, 1680, kW, kH}, "四"},
    {5, "5", {1680, 1680, kW, kH}, "五"},
    {6, "6", {2400, 1680, kW, kH}, "六"},
    {7, "7", {960, 1200, kW, kH}, "七"},
    {8, "8", {1680, 1200, kW, kH}, "八"},
    {9, "9", {2400, 1200, kW, kH}, "九"},
    {10, ".", {2400, 2640, kW, kH}, "小数点"},
    {11, "+", {3120, 2640, kW, kH}, "加"},
    {12, "-", {3120, 2160, kW, kH}, "减"},
    {13, "*", {3120, 1680, kW, kH}, "乘"},
    {14, "/", {3120, 1200, kW, kH}, "除"},
    {15, "=", {3840, 2640, kW, kH}, "等于"},
    {16, "+/-", {1680, 2640, kW, kH}, "正负号"},
    {17, "Sqrt", {3840, 1200, kW, kH}, "平方根"},
    {18, "%", {3840, 1680, kW, kH}, "百分比"},
    {19, "1/x", {3840, 2160, kW, kH}, "倒数"},
    {20, "C", {3480, 720, kWide, kH}, "清除"},
    {21, "CE", {2400, 720, kWide, kH}, "清除输入"},
    {22, "BackSpace", {1320, 720, kWide, kH}, "退格"},
    {23, "MC", {120, 1200, kW, kH}, "清除存储"},
    {24, "MR", {120, 1680, kW, kH}, "读取存储"},
    {25, "MS", {120, 2160, kW, kH}, "存储"},
    {26, "M+", {120, 2640, kW, kH}, "存储加"},
}};

constexpr std::array<KeyDef, 39> kScientific{{
    {0, "0", {3480, 2880, kW, kH}, "零"},
    {1, "1", {3480, 2400, kW, kH}, "一"},
    {2, "2", {4200, 2400, kW, kH}, "二"},
    {3, "3", {4920, 2400, kW, kH}, "三"},
    {4, "4", {3480, 1920, kW, kH}, "四"},
    {5, "5", {4200, 1920, kW, kH}, "五"},
    {6, "6", {4920, 1920, kW, kH}, "六"},
    {7, "7", {3480, 1440, kW, kH}, "七"},
    {8, "8", {4200, 1440, kW, kH}, "八"},
    {9, "9", {4920, 1440, kW, kH}, "九"},
    {10, ".", {4920, 2880, kW, kH}, "小数点"},
    {11, "+", {5640, 2880, kW, kH}, "加"},
    {12, "-", {5640, 2400, kW, kH}, "减"},
    {13, "*", {5640, 1920, kW, kH}, "乘"},
    {14, "/", {5640, 1440, kW, kH}, "除"},
    {15, "+/-", {4200, 2880, kW, kH}, "正负号"},
    {16, "(", {1560, 1440, kW, kH}, "左括号"},
    {17, ")", {1560, 1920, kW, kH}, "右括号"},
    {18, "x^y", {840, 2880, kW, kH}, "乘方"},
    {19, "=", {6360, 2880, kW, kH}, "等于"},
    {20, "C", {6000, 840, kWide, kH}, "清除"},
    {21, "MC", {2280, 1440, kW, kH}, "清除存储"},
    {22, "MR", {2280, 1920, kW, kH}, "读取存储"},
    {23, "MS", {2280, 2400, kW, kH}, "存储"},
    {24, "M+", {2280, 2880, kW, kH}, "存储加"},
    {25, "ln", {120, 1440, kW, kH}, "自然对数"},
    {26, "log", {120, 1920, kW, kH}, "常用对数"},
    {27, "n!", {120, 2400, kW, kH}, "阶乘"},
    {28, "1/x", {120, 2880, kW, kH}, "倒数"},
    {29, "sin", {840, 1440, kW, kH}, "正弦"},
    {30, "cos", {840, 1920, kW, kH}, "余弦"},
    {31, "tan", {840, 2400, kW, kH}, "正切"},
    {32, "x^2", {1560, 2400, kW, kH}, "平方"},
    {33, "x^3", {1560, 2880, kW, kH}, "立方"},
    {34, "Int", {6360, 2400, kW, kH}, "取整"},
    {35, "Mod", {6360, 1920, kW, kH}, "取模"},
    {36, "pi", {6360, 1440, kW, kH}, "圆周率"},
    {37, "CE", {4920, 840, kWide, kH}, "清除输入"},
    {38, "BackSpace", {3840, 840, kWide, kH}, "退格"},
}};

constexpr std::array<ControlDef, 2> kStandardControls{{
    {"Text1", "0", {120, 120, 4335, 390}, "显示"},
    {"Text2", "", {120, 720, 480, 360}, "存储指示"},
}};

constexpr std::array<ControlDef, 6> kScientificControls{{
    {"Text1", "0", {240, 240, 6615, 390}, "显示"},
    {"Text2", "", {1920, 840, 480, 360}, "括号指示"},
    {"Text3", "", {2640, 840, 480, 360}, "存储指示"},
    {"Frame1", "", {120, 720, 1575, 525}, "功能键修饰"},
    {"Check1", "Inv", {120, 120, 735, 375}, "反函数"},
    {"Check2", "Hyp", {840, 120, 615, 375}, "双曲函数"},
}};

constexpr std::array<MenuItemDef, 3> kStandardMenus{{
    {"编辑 (&E)", "mnuCopy", "复制 (&C)", "Ctrl+C"},
    {"查看 (&V)", "mnuScience", "科学型 (&S)", ""},
    {"帮助 (&H)", "mnuAbout", "关于计算器 (&A)", ""},
}};

constexpr std::array<MenuItemDef, 4> kScientificMenus{{
    {"编辑 (&E)", "mnuCopy", "复制 (&C)", "Ctrl+C"},
    {"编辑 (&E)", "mnuPaste", "粘贴 (&P)", "Ctrl+V"},
    {"查看 (&V)", "mnuStandard", "标准型 (&T)", ""},
    {"帮助 (&H)", "mnuAbout", "关于计算器 (&A)", ""},
}};

}  // namespace

std::span<const KeyDef> Keypad(WindowKind window) {
    if (window == WindowKind::Standard) return kStandard;
    return kScientific;
}

int FindKey(WindowKind window, std::string_view caption) {
    for (const KeyDef& k : Keypad(window)) {
        if (caption == k.caption) return k.index;
    }
    return -1;
}

WindowDef Window(WindowKind window) {
    if (window == WindowKind::Standard) return {"Form1", "计算器<标准型>", 4620, 3240};
    return {"Form2", "计算器<科学型>", 7110, 3450};
}

WindowDef AboutWindow() { return {"Form3", "关于计算器", 8445, 6435}; }

std::span<const ControlDef> Controls(WindowKind window) {
    if (window == WindowKind::Standard) return kStandardControls;
    return kScientificControls;
}

std::span<const MenuItemDef> Menus(WindowKind window) {
    if (window == WindowKind::Standard) return kStandardMenus;
    return kScientificMenus;
}

}  // namespace calc
