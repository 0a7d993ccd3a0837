// Each consistency rule of both keypads, broken on purpose (BreakRule, a hook of this build only), is noticed by the
// keypad's own check, and each keypad has rules of its own besides the shared ones.
#include <gtest/gtest.h>

#include <memory>

#include "keypad/platform.h"
#include "keypad/scientific_keypad.h"
#include "keypad/standard_keypad.h"

namespace calc {
namespace {

TEST(ConsistencyRules, EveryBrokenRuleIsNoticed) {
    for (const bool scientific : {false, true}) {
        int rule = 0;
        for (;; ++rule) {
            MemoryPlatform platform;
            const std::unique_ptr<Keypad> keypad = scientific ? std::unique_ptr<Keypad>(new ScientificKeypad(platform))
                                                              : std::make_unique<StandardKeypad>(platform);
            keypad->Press(Key::Digit5);
            ASSERT_EQ(keypad->CheckConsistency(), "") << "before any break";  // what the check read stays read
            if (!keypad->BreakRule(rule)) break;
            EXPECT_NE(keypad->CheckConsistency(), "") << (scientific ? "scientific" : "standard") << " rule " << rule;
        }
        EXPECT_GT(rule, Keypad::kSharedRules) << (scientific ? "scientific" : "standard");
    }
}

}  // namespace
}  // namespace calc
