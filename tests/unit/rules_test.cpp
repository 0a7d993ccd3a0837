// Each consistency rule of both keypads, broken on purpose, is noticed by the keypad's own check.
#include <gtest/gtest.h>

#include "../fuzz/rule_selftest.h"

TEST(ConsistencyRules, EveryBrokenRuleIsNoticed) { EXPECT_EQ(calc::fuzz::UnnoticedRuleBreaks(), ""); }
