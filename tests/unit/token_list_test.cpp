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
    EXPECT_EQ(script::FormatToken(l.Item(1)) + script::FormatToken(l.Item(3)), R"("1""2")");
    for (std::size_t bad : {0, 4}) EXPECT_EQ(Raised([&] { l.Item(bad); }), ErrorKind::InvalidPosition) << bad;
    for (std::size_t bad : {0, 4}) EXPECT_EQ(Raised([&] { l.Remove(bad); }), ErrorKind::InvalidPosition) << bad;
    l.Remove(2);  // removal inside the list keeps the rest in order
    EXPECT_EQ(FormatTokens(l), R"t("1" "2")t");
    EXPECT_EQ(l.FirstAdjacentNumbers(), 2u);
    l.Add(Value("+"));  // the counts rebuilt after the removal go on with the next item
    EXPECT_EQ(l.OperatorsIn(1, 3, 1), 1u);
}

TEST(TokenList, OperatorCountsFollowAppendsAndRemovals) {
    TokenList l = Tokens({"1", "+", "2", "*", "3", "y", "(", "4", "%"});
    EXPECT_EQ(l.OperatorsIn(1, 9, 1), 1u);
    EXPECT_EQ(l.OperatorsIn(1, 9, 2), 2u);
    EXPECT_EQ(l.OperatorsIn(1, 9, 3), 1u);
    EXPECT_EQ(l.OperatorsIn(8, 9, 2), 1u);
    EXPECT_EQ(l.OperatorsIn(3, 9, 1), 0u);
    EXPECT_EQ(l.OperatorsIn(3, 2, 1), 0u);
    EXPECT_EQ(TokenList().OperatorsIn(0, 5, 1), 0u);
    l.RemoveLast();
    EXPECT_EQ(l.OperatorsIn(1, l.Count(), 2), 1u);
    EXPECT_EQ(l.ParenCount(), 1u);
}

}  // namespace
}  // namespace calc
