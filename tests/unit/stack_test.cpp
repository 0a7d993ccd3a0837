#include "engine/stack.h"

#include <gtest/gtest.h>

#include "engine/errors.h"
#include "support.h"

namespace calc {
namespace {

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
