#include "engine/evaluator.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <cmath>

#include "engine/errors.h"

namespace calc {
namespace {

TokenList Make(std::initializer_list<Value> items) {
    TokenList l;
    for (const Value& v : items) l.Add(v);
    return l;
}

struct FoldCase {
    std::initializer_list<Value> col;
    const char* next;
    bool expected;
};

TEST(FoldsBefore, FoldsWhenTheNewOperatorDoesNotBindTighter) {
    const FoldCase cases[] = {
        {{"2", "+", "3"}, "*", false},
        {{"2", "+", "3"}, "-", true},
        {{"2", "*", "3"}, "%", true},
        {{"2", "%", "3"}, "y", false},
        {{"2", "y", "3"}, "Y", true},
        {{"2", "y", "3"}, "(", false},
        {{"2", "-", "3"}, "/", false},
        {{"2", "/", "3"}, "y", false},
        {{"2", "*", "3"}, "+", true},
        {{"2", "+", "3", "*", "4"}, "-", true},
        {{"2", "y", "3"}, "*", true},
        {{}, "+", true},
        {{}, "*", true},
        {{}, "y", true},
        {{}, "Y", true},
        {{}, "%", true},
        {{}, "=", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldsBefore(Make(c.col), Value(c.next)), c.expected) << c.next;
    }
}

struct CalcCase {
    std::initializer_list<Value> col;
    double expected;
};

TEST(Evaluate, AppliesPrecedenceAndLeftAssociativity) {
    const CalcCase cases[] = {
        {{"2", "+", "3", "*", "4"}, 14},
        {{"2", "*", "3", "+", "4"}, 10},
        {{"8", "-", "3", "-", "2"}, 3},   // left to right, not 8 - (3 - 2)
        {{"2", "y", "3", "y", "2"}, 64},  // (2^3)^2, not 2^9
        {{"2", "+", "3", "y", "2"}, 11},
        {{"7", "%", "3", "*", "2"}, 2},  // "%" and "*" share a level
        {{"2", "*", "7", "%", "4"}, 2},  // (2*7)%4, not 2*(7%4)=6
        {{"64", "/", "4", "/", "2"}, 8},
        {{"2", "Y", "10"}, 1024},
        {{"5", "-"}, -5},  // the missing operand is 0 (on the left here)
        {{"-"}, 0},
        {{}, 0},
        {{"2", "3"}, 3},       // the last of adjacent numbers
        {{"2", "(", "3"}, 3},  // "(" is skipped
        {{Value(std::int16_t{0}), "-", "4"}, -4},
        {{Value(0.1), "+", Value(0.2)}, 0.3},  // each operand passes through 15 digits
        {{"-7", "%", "3"}, -1},
        {{"7", "%", "-3"}, 1},
        {{"7.5", "%", "2"}, 0},    // R(7.5) = 8
        {{"6.5", "%", "4"}, 2},    // R(6.5) = 6, halves to even
        {{"-8", "y", "3"}, -512},  // a negative base with an integer exponent
    };
    for (const auto& c : cases) {
        bool inv = false;
        EXPECT_DOUBLE_EQ(Evaluate(Make(c.col), inv), c.expected);
        EXPECT_FALSE(inv);
    }
}

TEST(Evaluate, RoundsIntermediateResultsToFifteenDigits) {
    bool inv = false;
    // 1/3 enters the product as 0.333333333333333.
    EXPECT_EQ(DisplayForm(Evaluate(Make({"1", "/", "3", "*", "3"}), inv)), "0.999999999999999");
    // A right operand of "-" is rounded too: 1 - 0.1*3 with 0.30000000000000004 read as 0.3.
    EXPECT_EQ(Evaluate(Make({"1", "-", Value(0.30000000000000004)}), inv), 1 - 0.3);
    // The left operand of "+" is read through the display form as well.
    EXPECT_EQ(Evaluate(Make({Value(2.0 / 3), "+", "0"}), inv), 0.666666666666667 + 0.0);
}

TEST(Evaluate, InvTurnsTheFirstPowerIntoARootAndClearsTheBox) {
    bool inv = true;
    EXPECT_DOUBLE_EQ(Evaluate(Make({"27", "y", "3"}), inv), 3);
    EXPECT_FALSE(inv);
    inv = true;
    // First power applied (2 y 3) is the cube root of 2, then squared.
    EXPECT_NEAR(Evaluate(Make({"2", "y", "3", "y", "2"}), inv), std::pow(std::cbrt(2.0), 2), 1e-13);
    EXPECT_FALSE(inv);
    inv = true;
    EXPECT_DOUBLE_EQ(Evaluate(Make({"2", "+", "3"}), inv), 5);
    EXPECT_TRUE(inv);  // no power: the box stays
}

struct FailCase {
    std::initializer_list<Value> col;
    ErrorKind error;
    bool inv = false;
};

TEST(Evaluate, RaisesTheErrorsOfTheFailureTable) {
    const FailCase cases[] = {
        {{"5", "/", "0"}, ErrorKind::DivisionByZero},
        {{"0", "/", "0"}, ErrorKind::Overflow},
        {{"5", "%", "0.4"}, ErrorKind::DivisionByZero},
        {{"-2147483648", "%", "-1"}, ErrorKind::Overflow},
        {{"3000000000", "%", "2"}, ErrorKind::Overflow},
        {{"-8", "y", "0.5"}, ErrorKind::InvalidArgument},
        {{"10", "y", "400"}, ErrorKind::Overflow},
        {{"0", "y", "-1"}, ErrorKind::DivisionByZero},
        {{"1E+300", "*", "1E+300"}, ErrorKind::Overflow},
        {{"1E+308", "+", "1E+308"}, ErrorKind::Overflow},
        {{"-1E+308", "-", "1E+308"}, ErrorKind::Overflow},
        {{"1", "/", "1E-320"}, ErrorKind::Overflow},
        {{"8", "y", "0"}, ErrorKind::DivisionByZero, true},    // root with 1/0
        {{"-8", "y", "3"}, ErrorKind::InvalidArgument, true},  // no real cube root here
        {{std::string(400, '9'), "+", "1"}, ErrorKind::Overflow},
    };
    for (const auto& c : cases) {
        bool inv = c.inv;
        try {
            Evaluate(Make(c.col), inv);
            ADD_FAILURE() << "no error for case " << (&c - cases);
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.kind(), c.error) << "case " << (&c - cases);
        }
        EXPECT_EQ(inv, c.inv);  // a failed root leaves Inv on
    }
}

TEST(Evaluate, LeavesItsArgumentUnchanged) {
    TokenList l = Make({"2", "+", "3", "*", "4"});
    bool inv = false;
    Evaluate(l, inv);
    EXPECT_EQ(l.Count(), 5u);
    EXPECT_EQ(l.Item(5), Value("4"));
}

TEST(RoundToInt32, HalvesToEvenWithinRange) {
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(3.5), 4);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_THROW(RoundToInt32(2147483647.5), RuntimeError);
    EXPECT_EQ(RoundToInt32(-2147483648.0), -2147483647 - 1);
    EXPECT_THROW(RoundToInt32(-2147483649.0), RuntimeError);
}

}  // namespace
}  // namespace calc
