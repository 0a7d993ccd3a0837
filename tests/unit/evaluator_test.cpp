#include "engine/evaluator.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <cstdint>
#include <tuple>

#include "engine/errors.h"
#include "support.h"

namespace calc {
namespace {

// Left to right within a level ((2^3)^2, 8-3-2, (2*7)%4); a missing operand is 0, "(" is skipped, of adjacent
// numbers the last counts, each operand passes through 15 digits; "%" takes integers, halves to even.
TEST(Evaluate, AppliesPrecedenceAndLeftAssociativity) {
    const struct {
        std::initializer_list<Value> col;
        double expected;
    } cases[] = {// clang-format off
        {{"2", "+", "3", "*", "4"}, 14}, {{"2", "*", "3", "+", "4"}, 10}, {{"8", "-", "3", "-", "2"}, 3},
        {{"2", "y", "3", "y", "2"}, 64}, {{"2", "+", "3", "y", "2"}, 11}, {{"7", "%", "3", "*", "2"}, 2},
        {{"2", "*", "7", "%", "4"}, 2}, {{"64", "/", "4", "/", "2"}, 8}, {{"2", "Y", "10"}, 1024}, {{"5", "-"}, -5},
        {{"-"}, 0}, {{}, 0}, {{"2", "3"}, 3}, {{"2", "(", "3"}, 3}, {{Value(std::int16_t{0}), "-", "4"}, -4},
        {{Value(std::int32_t{-7}), "*", "2"}, -14}, {{Value(0.1), "+", Value(0.2)}, 0.3}, {{"-7", "%", "3"}, -1},
        {{"7", "%", "-3"}, 1}, {{"7", "%", "-1"}, 0}, {{"7.5", "%", "2"}, 0}, {{"6.5", "%", "4"}, 2},
        {{"-8", "y", "3"}, -512}, {{"1", "+", "2", "*", "3", "y", "2"}, 19}};
    // clang-format on
    for (const auto& c : cases) {
        bool inv = false;
        EXPECT_DOUBLE_EQ(Evaluate(Tokens(c.col), inv), c.expected);
        EXPECT_FALSE(inv);
    }
}

TEST(Evaluate, RoundsIntermediateResultsToFifteenDigits) {
    bool inv = false;
    // 1/3 enters the product as 0.333333333333333.
    EXPECT_EQ(DisplayForm(Evaluate(Tokens({"1", "/", "3", "*", "3"}), inv)), "0.999999999999999");
    // A right operand of "-" is rounded too: 1 - 0.1*3 with 0.30000000000000004 read as 0.3.
    EXPECT_EQ(Evaluate(Tokens({"1", "-", Value(0.30000000000000004)}), inv), 1 - 0.3);
    // The left operand of "+" is read through the display form as well.
    EXPECT_EQ(Evaluate(Tokens({Value(2.0 / 3), "+", "0"}), inv), 0.666666666666667 + 0.0);
}

// Inv turns the first power applied into a root (2 y 3 y 2: the cube root of 2, rounded to 15 digits, squared)
// and clears the box; without a power the box stays.
TEST(Evaluate, InvTurnsTheFirstPowerIntoARootAndClearsTheBox) {
    for (const auto& [col, expected, invAfter] : {std::tuple{Tokens({"27", "y", "3"}), "3", false},
                                                  {Tokens({"2", "y", "3", "y", "2"}), "1.58740105196819", false},
                                                  {Tokens({"2", "+", "3"}), "5", true}}) {
        bool inv = true;
        EXPECT_EQ(DisplayForm(Evaluate(col, inv)), expected);
        EXPECT_EQ(inv, invAfter);
    }
}

// A failed root (8 y 0 is 8^(1/0); -8 has no real cube root here) leaves Inv on.
TEST(Evaluate, RaisesTheCalculatorsErrors) {
    using enum ErrorKind;
    const struct {
        std::initializer_list<Value> col;
        ErrorKind error;
        bool inv = false;
    } cases[] = {// clang-format off
        {{"5", "/", "0"}, DivisionByZero}, {{"0", "/", "0"}, Overflow}, {{"5", "%", "0.4"}, DivisionByZero},
        {{"-2147483648", "%", "-1"}, Overflow}, {{"3000000000", "%", "2"}, Overflow},
        {{"-8", "y", "0.5"}, InvalidArgument}, {{"10", "y", "400"}, Overflow}, {{"0", "y", "-1"}, DivisionByZero},
        {{"1E+300", "*", "1E+300"}, Overflow}, {{"1E+308", "+", "1E+308"}, Overflow},
        {{"-1E+308", "-", "1E+308"}, Overflow}, {{"1", "/", "1E-320"}, Overflow},
        {{"8", "y", "0"}, DivisionByZero, true}, {{"-8", "y", "3"}, InvalidArgument, true},
        {{std::string(400, '9'), "+", "1"}, Overflow}};
    // clang-format on
    for (const auto& c : cases) {
        bool inv = c.inv;
        EXPECT_EQ(Raised([&] { Evaluate(Tokens(c.col), inv); }), c.error) << "case " << (&c - cases);
        EXPECT_EQ(inv, c.inv);
    }
}

// At most 32767 operands wait at once (adjacent numbers all wait): one more overflows.
TEST(Evaluate, HoldsAtMost32767WaitingOperands) {
    TokenList l;
    for (int i = 0; i < 32767; ++i) l.Add(Value(std::int16_t{1}));
    bool inv = false;
    EXPECT_EQ(Evaluate(l, inv), 1);
    l.Add(Value(std::int16_t{2}));
    EXPECT_EQ(Raised([&] { Evaluate(l, inv); }), ErrorKind::Overflow);
}

TEST(RoundToInt32, HalvesToEvenWithinRange) {
    for (const auto& [x, n] :
         {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2147483647.4, 2147483647}, {-2147483648.0, INT32_MIN}})
        EXPECT_EQ(RoundToInt32(x), n) << x;
    for (double x : {2147483647.5, -2147483649.0})
        EXPECT_EQ(Raised([&] { RoundToInt32(x); }), ErrorKind::Overflow) << x;
}

}  // namespace
}  // namespace calc
