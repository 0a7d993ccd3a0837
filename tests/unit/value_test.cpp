// Values and their text forms: the display form, numbers read from texts, the strict conversion of tokens.
#include "engine/value.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "engine/errors.h"
#include "support.h"

namespace calc {
namespace {

// Fifteen significant digits at most; the notation switches on the rounded value; exponents of three digits;
// exact ties at the 16th digit go to the even neighbour, other values round on their exact binary value.
TEST(DisplayForm, WritesFifteenDigitsAtMost) {
    const double max = std::numeric_limits<double>::max(), least = std::numeric_limits<double>::denorm_min();
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"}, {-0.0, "0"}, {-0.5, "-0.5"}, {123.456, "123.456"}, {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"}, {999999999999999.0, "999999999999999"}, {1e15, "1E+15"},
        {999999999999999.9, "1E+15"}, {-999999999999999.9, "-1E+15"}, {123456789012345678.0, "1.23456789012346E+17"},
        {0.0001, "0.0001"}, {0.00009999999999999999, "0.0001"}, {0.00009999, "9.999E-05"}, {0.00001, "1E-05"},
        {1.5e-7, "1.5E-07"}, {1e-10, "1E-10"}, {0.00012345, "0.00012345"}, {1e100, "1E+100"}, {1e-300, "1E-300"},
        {max, "1.79769313486232E+308"}, {least, "4.94065645841247E-324"}, {1.63312393531954e16, "1.63312393531954E+16"},
        {1234567890123445.0, "1.23456789012344E+15"}, {1234567890123455.0, "1.23456789012346E+15"},
        {-1234567890123445.0, "-1.23456789012344E+15"}, {9.9999999999999995, "10"}, {0.30000000000000004, "0.3"},
        {1.0000000000000002, "1"}, {123456789012345.6, "123456789012346"}};
    // clang-format on
    for (const auto& [value, text] : cases) EXPECT_EQ(DisplayForm(value), text);
}

// The number at the start of a text (blanks skipped, 0 without digits), thousands of digits included; beyond
// the double range it raises the overflow error.
TEST(LeadingNumber, ReadsThePrefix) {
    // clang-format off
    const std::pair<const char*, double> cases[] = {
        {"", 0}, {"-", 0}, {".", 0}, {"-.", 0}, {"+", 0}, {"(", 0}, {"abc5", 0}, {"运行错误：溢出", 0}, {"0.", 0},
        {".5", 0.5}, {"-.5", -0.5}, {"12.50", 12.5}, {"  7", 7}, {"+3", 3}, {"1.2.3", 1.2}, {"5abc", 5}, {"1,5", 1},
        {"1E+20", 1e20}, {"1.5E-07", 1.5e-7}, {"2e3", 2000}, {"3E", 3}, {"3E+", 3}, {"3Ex", 3}, {"1E-400", 0},
        {"1.7976931348623157E+308", std::numeric_limits<double>::max()}};
    // clang-format on
    for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(std::string_view(text)), value) << text;
    EXPECT_NEAR(LeadingNumber(std::string_view("0." + std::string(4998, '1'))), 0.111111111111111, 1e-15);
    EXPECT_EQ(LeadingNumber(std::string_view("1" + std::string(300, '0'))), 1e300);
    for (const std::string& t :
         {"1" + std::string(400, '0'), std::string("1E+309"), std::string("-2E+308"), std::string(1000000, '9')}) {
        EXPECT_EQ(Raised([&] { LeadingNumber(std::string_view(t)); }), ErrorKind::Overflow) << t.substr(0, 20);
    }
}

// A text converts when it is a whole number, blanks around it allowed (else it is a type mismatch, even a long run of
// digits past the double range passing the form test overflows); numbers convert unrounded, the empty token is 0.
TEST(StrictConversion, ConvertsWholeNumbersOnly) {
    // clang-format off
    const std::pair<const char*, double> numbers[] = {{"0", 0}, {"0.", 0}, {".5", 0.5}, {"-3.5", -3.5}, {"+2", 2},
        {" 12 ", 12}, {"1E+20", 1e20}, {"1.5E-07", 1.5e-7}, {"-0", 0}};
    // clang-format on
    for (const auto& [text, value] : numbers) EXPECT_EQ(ToDouble(Value(text)), value) << text;
    for (const char* no :
         {"", "-", ".", "+", "1.2.3", "(", "y", "1E", "1E+", "12a", "--1", "1 2", "运行错误：溢出，请按复位键'C'"}) {
        EXPECT_EQ(Raised([&] { ToDouble(Value(no)); }), ErrorKind::TypeMismatch) << no;
    }
    EXPECT_EQ(Raised([] { ToDouble(Value(std::string(500, '9'))); }), ErrorKind::Overflow);
    EXPECT_EQ(ToDouble(Value()), 0);
    EXPECT_EQ(ToDouble(Value(std::int16_t{-3})), -3);
    Value copy(std::string(40, '9'));  // a long text (kept on the heap), then a copied number
    const Value number(30.000000000000004);
    copy = number;
    EXPECT_EQ(ToDouble(copy), 30.000000000000004);  // unrounded
    for (const Value& v : {Value(std::int16_t{0}), Value(2.5), Value(std::int32_t{-7})}) EXPECT_TRUE(IsNumeric(v));
    EXPECT_FALSE(IsNumeric(Value()) || IsNumeric(Value("+")));
}

}  // namespace
}  // namespace calc
