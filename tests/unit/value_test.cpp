#include "engine/value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "engine/errors.h"

namespace calc {
namespace {

struct DisplayCase {
    double value;
    const char* text;
};

void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.text; }

class DisplayFormTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayFormTest, WritesFifteenDigitsAtMost) { EXPECT_EQ(DisplayForm(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Boundaries, DisplayFormTest,
    ::testing::Values(
        DisplayCase{0.0, "0"}, DisplayCase{-0.0, "0"}, DisplayCase{1, "1"}, DisplayCase{-1, "-1"},
        DisplayCase{0.5, "0.5"}, DisplayCase{-0.5, "-0.5"}, DisplayCase{10, "10"}, DisplayCase{100, "100"},
        DisplayCase{123.456, "123.456"}, DisplayCase{1.0 / 3, "0.333333333333333"},
        DisplayCase{2.0 / 3, "0.666666666666667"}, DisplayCase{0.1 + 0.2, "0.3"},
        // Notation switches on the rounded value.
        DisplayCase{999999999999999.0, "999999999999999"}, DisplayCase{1e15, "1E+15"},
        DisplayCase{999999999999999.9, "1E+15"}, DisplayCase{-999999999999999.9, "-1E+15"},
        DisplayCase{123456789012345678.0, "1.23456789012346E+17"}, DisplayCase{0.0001, "0.0001"},
        DisplayCase{0.00009999999999999999, "0.0001"}, DisplayCase{0.00009999, "9.999E-05"},
        DisplayCase{0.00001, "1E-05"}, DisplayCase{1.5e-7, "1.5E-07"}, DisplayCase{0.00012345, "0.00012345"},
        // Exponent digits.
        DisplayCase{1e100, "1E+100"}, DisplayCase{1e308, "1E+308"}, DisplayCase{1e-300, "1E-300"},
        DisplayCase{std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        DisplayCase{std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        // Rounding half to even on the exact binary value: exact ties at the 16th digit
        // go to the even neighbour; other values round on their exact binary value.
        DisplayCase{1234567890123445.0, "1.23456789012344E+15"},
        DisplayCase{1234567890123455.0, "1.23456789012346E+15"},
        DisplayCase{-1234567890123445.0, "-1.23456789012344E+15"}, DisplayCase{9.9999999999999995, "10"},
        DisplayCase{0.30000000000000004, "0.3"}, DisplayCase{1.0000000000000002, "1"},
        DisplayCase{123456789012345.6, "123456789012346"}, DisplayCase{6.28318530717959, "6.28318530717959"},
        DisplayCase{3.14159265358979, "3.14159265358979"}, DisplayCase{30.000000000000004, "30"},
        DisplayCase{1.63312393531954e16, "1.63312393531954E+16"}));

TEST(DisplayForm, IgnoresTheLocale) {
    const char* locales[] = {"de_DE.UTF-8", "zh_CN.UTF-8", "fr_FR.UTF-8"};
    for (const char* name : locales) {
        if (!std::setlocale(LC_ALL, name)) continue;
        EXPECT_EQ(DisplayForm(1234.5), "1234.5") << name;
        EXPECT_EQ(DisplayForm(1.5e-7), "1.5E-07") << name;
        EXPECT_EQ(LeadingNumber(std::string_view("1.5")), 1.5) << name;
        EXPECT_TRUE(IsNumericText("0.5")) << name;
    }
    std::setlocale(LC_ALL, "C");
}

struct LeadingCase {
    const char* text;
    double value;
};

void PrintTo(const LeadingCase& c, std::ostream* os) { *os << c.value; }

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, ReadsThePrefix) {
    EXPECT_EQ(LeadingNumber(std::string_view(GetParam().text)), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest,
                         ::testing::Values(LeadingCase{"", 0}, LeadingCase{"-", 0}, LeadingCase{".", 0},
                                           LeadingCase{"-.", 0}, LeadingCase{"0.", 0}, LeadingCase{".5", 0.5},
                                           LeadingCase{"-.5", -0.5}, LeadingCase{"12.50", 12.5}, LeadingCase{"  7", 7},
                                           LeadingCase{"+3", 3}, LeadingCase{"1.2.3", 1.2}, LeadingCase{"5abc", 5},
                                           LeadingCase{"abc5", 0}, LeadingCase{"1E+20", 1e20},
                                           LeadingCase{"1.5E-07", 1.5e-7}, LeadingCase{"2e3", 2000},
                                           LeadingCase{"3E", 3}, LeadingCase{"3E+", 3}, LeadingCase{"3Ex", 3},
                                           LeadingCase{"1E-400", 0}, LeadingCase{"+", 0}, LeadingCase{"(", 0},
                                           LeadingCase{"运行错误：溢出", 0}, LeadingCase{"1,5", 1}));

TEST(LeadingNumber, ReadsThousandsOfDigits) {
    std::string digits(5000, '1');
    digits[0] = '0';
    digits[1] = '.';
    EXPECT_NEAR(LeadingNumber(std::string_view(digits)), 0.111111111111111, 1e-15);
    std::string integer = "1" + std::string(300, '0');
    EXPECT_EQ(LeadingNumber(std::string_view(integer)), 1e300);
}

TEST(LeadingNumber, RaisesOverflowBeyondTheDoubleRange) {
    const std::string texts[] = {"1" + std::string(400, '0'), "1E+309", "-2E+308", std::string(1000000, '9')};
    for (const auto& t : texts) {
        try {
            LeadingNumber(std::string_view(t));
            ADD_FAILURE() << t.substr(0, 20);
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::Overflow);
        }
    }
    EXPECT_EQ(LeadingNumber(std::string_view("1.7976931348623157E+308")), std::numeric_limits<double>::max());
}

TEST(NumericTest, AcceptsWholeNumbersOnly) {
    for (const char* yes : {"0", "0.", ".5", "-3.5", "+2", " 12 ", "1E+20", "1.5E-07", "-0"}) {
        EXPECT_TRUE(IsNumericText(yes)) << yes;
    }
    for (const char* no :
         {"", "-", ".", "+", "1.2.3", "(", "y", "1E", "1E+", "12a", "--1", "1 2", "运行错误：溢出，请按复位键'C'"}) {
        EXPECT_FALSE(IsNumericText(no)) << no;
    }
    EXPECT_TRUE(IsNumericText(std::string(500, '9')));  // a form test: large digits pass
    EXPECT_TRUE(IsNumeric(Value(std::int16_t{0})));
    EXPECT_TRUE(IsNumeric(Value(2.5)));
    EXPECT_TRUE(IsNumeric(Value(std::int32_t{-7})));
    EXPECT_FALSE(IsNumeric(Value()));
    EXPECT_FALSE(IsNumeric(Value("+")));
}

TEST(StrictConversion, ConvertsNumbersAndRejectsOtherTexts) {
    EXPECT_EQ(ToDouble(Value()), 0);
    EXPECT_EQ(ToDouble(Value(std::int16_t{-3})), -3);
    EXPECT_EQ(ToDouble(Value(30.000000000000004)), 30.000000000000004);  // no 15-digit rounding
    EXPECT_EQ(ToDouble(Value("0.")), 0);
    EXPECT_EQ(ToDouble(Value(" -2.5 ")), -2.5);
    for (const char* bad : {"", "-", "+", "1.2.3", "("}) {
        try {
            ToDouble(Value(bad));
            ADD_FAILURE() << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::TypeMismatch) << bad;
        }
    }
    EXPECT_THROW(ToDouble(Value(std::string(400, '9'))), RuntimeError);
}

struct ArithmeticCase {
    double (*op)(double, double);
    double a, b;
    int error;  // -1 none, else ErrorKind
};

TEST(CheckedArithmetic, ReportsDivisionByZeroOverflowAndInvalid) {
    const double big = std::numeric_limits<double>::max();
    const ArithmeticCase cases[] = {
        {CheckedAdd, 1, 2, -1},
        {CheckedAdd, big, big, int(ErrorKind::Overflow)},
        {CheckedSub, -big, big, int(ErrorKind::Overflow)},
        {CheckedMul, 1e200, 1e200, int(ErrorKind::Overflow)},
        {CheckedMul, 1e-200, 1e-200, -1},  // underflow is not an error
        {CheckedDiv, 1, 0, int(ErrorKind::DivisionByZero)},
        {CheckedDiv, -1, 0, int(ErrorKind::DivisionByZero)},
        {CheckedDiv, 0, 0, int(ErrorKind::Overflow)},
        {CheckedDiv, 1, 1e-320, int(ErrorKind::Overflow)},
        {CheckedDiv, 1, 3, -1},
    };
    for (const auto& c : cases) {
        try {
            c.op(c.a, c.b);
            EXPECT_EQ(c.error, -1) << c.a << " " << c.b;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(int(e.kind()), c.error) << c.a << " " << c.b;
        }
    }
}

TEST(Errors, DescriptionsAreTheDisplayedTexts) {
    EXPECT_EQ(ErrorDisplayText(Description(ErrorKind::DivisionByZero)), "运行错误：除数为零，请按复位键'C'");
    EXPECT_STREQ(Description(ErrorKind::Overflow), "溢出");
    EXPECT_STREQ(Description(ErrorKind::InvalidArgument), "无效参数");
    EXPECT_STREQ(Description(ErrorKind::TypeMismatch), "类型不匹配");
    EXPECT_STREQ(Description(ErrorKind::InvalidPosition), "无效的位置");
    EXPECT_STREQ(Description(ErrorKind::OutOfMemory), "内存不足");
}

}  // namespace
}  // namespace calc
