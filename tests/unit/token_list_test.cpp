#include "engine/token_list.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "engine/errors.h"
#include "format.h"

namespace calc {
namespace {

using script::FormatTokens;

TokenList Make(std::initializer_list<Value> items) {
    TokenList l;
    for (const Value& v : items) l.Add(v);
    return l;
}

const Value I0{std::int16_t{0}};

TEST(TokenList, PositionsAreOneBased) {
    TokenList l = Make({"1", "+", "2"});
    EXPECT_EQ(l.Item(1), Value("1"));
    EXPECT_EQ(l.Item(3), Value("2"));
    for (std::size_t bad : {std::size_t{0}, std::size_t{4}}) {
        try {
            l.Item(bad);
            ADD_FAILURE();
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.kind(), ErrorKind::InvalidPosition);
        }
    }
    EXPECT_THROW(l.Remove(4), RuntimeError);
    l.Remove(2);  // removal inside the list keeps the rest in order
    EXPECT_EQ(FormatTokens(l), R"t("1" "2")t");
    EXPECT_EQ(l.FirstAdjacentNumbers(), 2u);
}

TEST(Searchii, FindsTheLastOpenParenthesis) {
    EXPECT_EQ(Searchii(TokenList()), 0u);
    EXPECT_EQ(Searchii(Make({"(", "2", "+"})), 1u);
    EXPECT_EQ(Searchii(Make({"2", "*", "(", "3", "+", "(", "4"})), 6u);
    EXPECT_EQ(Searchii(Make({"2", "+", "3"})), 0u);
    TokenList l = Make({"(", "(", "1"});
    l.RemoveLast();
    l.RemoveLast();
    EXPECT_EQ(Searchii(l), 1u);  // kept up to date on removal
}

TEST(ClearCollection, EmptiesAnyList) {
    TokenList empty;
    ClearCollection(empty);
    EXPECT_TRUE(empty.Empty());
    TokenList l = Make({"(", "1", "+"});
    ClearCollection(l);
    EXPECT_EQ(l.Count(), 0u);
    EXPECT_EQ(Searchii(l), 0u);
}

struct AddOperatorCase {
    std::initializer_list<Value> before;
    int index;
    const char* after;
};

TEST(AddOperator, RecordsReplacesAndPadsWithZero) {
    const AddOperatorCase cases[] = {
        {{}, 11, R"t(i:0 "+")t"},
        {{"5", "+", "("}, 12, R"t("5" "+" "(" i:0 "-")t"},
        {{"5", "+"}, 13, R"t("5" "*")t"},
        {{"5", "Y"}, 11, R"t("5" "+")t"},  // "Y" is an operator too
        {{"2"}, 18, R"t("2" "y")t"},
        {{"2"}, 35, R"t("2" "%")t"},
        {{"2", "-"}, 20, R"t("2")t"},  // no token for other keys, the old operator still goes
        {{}, 99, "i:0"},
    };
    for (const auto& c : cases) {
        TokenList l = Make(c.before);
        AddOperator(l, c.index);
        EXPECT_EQ(FormatTokens(l), c.after) << c.index;
    }
}

struct CollapseCase {
    std::initializer_list<Value> before;
    const char* after;
};

TEST(CollapseNumbers, KeepsTheLastOfAdjacentNumbersInTheOpenGroup) {
    const CollapseCase cases[] = {
        {{"2", "+", "3", "4"}, R"t("2" "+" "4")t"},
        {{"1", "2", "(", "3", "4", "5"}, R"t("1" "2" "(" "5")t"},
        {{"1", "+", "2"}, R"t("1" "+" "2")t"},
        {{}, ""},
        {{"(", "("}, R"t("(" "(")t"},
        {{"1", "2", "+", "3", "4", "*", I0, "5"}, R"t("2" "+" "4" "*" "5")t"},
        {{Value(2.5), I0}, "i:0"},
        {{"1.2.3", "4"}, R"t("1.2.3" "4")t"},  // a text that is no number breaks the run
        {{"7", "(", "8"}, R"t("7" "(" "8")t"},
    };
    for (const auto& c : cases) {
        TokenList l = Make(c.before);
        CollapseNumbers(l);
        EXPECT_EQ(FormatTokens(l), c.after);
        EXPECT_EQ(l.FirstAdjacentNumbers(), 0u);
    }
}

TEST(ReplaceTail, ReplacesFromAPosition) {
    TokenList l = Make({"1", "+", "2", "-", "4"});
    ReplaceTail(l, 3, Make({"9", "*"}));
    EXPECT_EQ(FormatTokens(l), R"t("1" "+" "9" "*")t");
    ReplaceTail(l, 5, Make({"3"}));  // start n + 1 only appends
    EXPECT_EQ(FormatTokens(l), R"t("1" "+" "9" "*" "3")t");
    ReplaceTail(l, 1, TokenList());
    EXPECT_TRUE(l.Empty());
    EXPECT_THROW(ReplaceTail(l, 0, TokenList()), RuntimeError);
}

TEST(TokenList, UntrackedListAnswersTheSameQuestions) {
    const std::initializer_list<Value> items = {"1", "2", "(", "3", "*", "4", "5", "+", "(", "6", "7"};
    TokenList tracked = Make(items);
    TokenList plain(TokenList::Tracking::None);
    for (const Value& v : items) plain.Add(v);
    for (int round = 0; round < 4; ++round) {
        EXPECT_EQ(plain.LastParen(), tracked.LastParen());
        EXPECT_EQ(plain.FirstAdjacentNumbers(), tracked.FirstAdjacentNumbers());
        EXPECT_EQ(plain.ParenCount(), tracked.ParenCount());
        for (int level = 1; level <= 3; ++level) {
            EXPECT_EQ(plain.OperatorsIn(1, plain.Count(), level), tracked.OperatorsIn(1, tracked.Count(), level));
        }
        for (std::size_t i = 1; i <= plain.Count(); ++i) EXPECT_EQ(plain.IsNumberAt(i), tracked.IsNumberAt(i));
        plain.Remove(2);
        tracked.Remove(2);
        plain.RemoveLast();
        tracked.RemoveLast();
    }
}

TEST(TokenList, OperatorCountsFollowAppendsAndRemovals) {
    TokenList l = Make({"1", "+", "2", "*", "3", "y", "(", "4", "%"});
    EXPECT_EQ(l.OperatorsIn(1, 9, 1), 1u);
    EXPECT_EQ(l.OperatorsIn(1, 9, 2), 2u);
    EXPECT_EQ(l.OperatorsIn(1, 9, 3), 1u);
    EXPECT_EQ(l.OperatorsIn(8, 9, 2), 1u);
    EXPECT_EQ(l.OperatorsIn(3, 2, 1), 0u);
    l.RemoveLast();
    EXPECT_EQ(l.OperatorsIn(1, l.Count(), 2), 1u);
    EXPECT_EQ(l.ParenCount(), 1u);
}

}  // namespace
}  // namespace calc
