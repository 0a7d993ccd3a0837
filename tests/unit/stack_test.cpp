#include "engine/stack.h"

#include <gtest/gtest.h>

#include "engine/errors.h"
#include "support.h"

namespace calc {
namespace {

// An empty stack answers without failing; items come back last in, first out, unchanged.
TEST(Stack, LastInFirstOutWithCopies) {
    Stack s;
    EXPECT_TRUE(s.Top().IsEmpty());
    EXPECT_TRUE(s.TakeTop().IsEmpty());
    EXPECT_FALSE(s.Pop());
    EXPECT_EQ(s.Count(), 0);  // never negative
    s.Push(Value("3"));
    s.Push(Value("+"));
    EXPECT_EQ(s.Top(), Value("+"));
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(s.TakeTop(), Value("+"));
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(s.Top(), Value("3"));
    s.Push(Value(0.1));
    EXPECT_TRUE(s.Top().IsDouble());  // no conversion to text inside the stack
    EXPECT_EQ(s.Top().AsDouble(), 0.1);
    EXPECT_TRUE(s.Pop());
    EXPECT_TRUE(s.Pop());
    EXPECT_FALSE(s.Pop());
    EXPECT_TRUE(s.Empty());
}

TEST(Stack, HoldsExactly32767Items) {
    Stack s;
    for (int i = 0; i < 32767; ++i) s.Push(Value(std::int32_t{i}));
    EXPECT_EQ(s.Count(), 32767);
    EXPECT_EQ(Raised([&] { s.Push(Value("x")); }), ErrorKind::Overflow);  // the 32768th push
    EXPECT_EQ(s.Count(), 32767);
    EXPECT_EQ(s.Top(), Value(std::int32_t{32766}));  // nothing was stored
}

}  // namespace
}  // namespace calc
