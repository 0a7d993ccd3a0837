#include "engine/token_list.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "engine/errors.h"
#include "format.h"
#include "support.h"

namespace calc {
namespace {

using script::FormatTokens;

TEST(TokenList, PositionsAreOneBased) {
    TokenList l = Tokens({"1", "+", "2"});
    EXPECT_EQ(l.Item(1), Value("1"));
    EXPECT_EQ(l.Item(3), Value("2"));
    for (std::size_t bad : {0, 4}) EXPECT_EQ(Raised([&] { l.Item(bad); }), ErrorKind::InvalidPosition) << bad;
    EXPECT_EQ(Raised([&] { l.Remove(4); }), ErrorKind::InvalidPosition);
    l.Remove(2);  // removal inside the list keeps the rest in order
    EXPECT_EQ(FormatTokens(l), R"t("1" "2")t");
    EXPECT_EQ(l.FirstAdjacentNumbers(), 2u);
}

TEST(TokenList, UntrackedListAnswersTheSameQuestions) {
    const std::initializer_list<Value> items = {"1", "2", "(", "3", "*", "4", "5", "+", "(", "6", "7"};
    TokenList tracked = Tokens(items);
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
    TokenList l = Tokens({"1", "+", "2", "*", "3", "y", "(", "4", "%"});
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
