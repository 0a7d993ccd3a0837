// Each consistency rule of both keypads, broken on purpose (BreakRule, a hook of this build only), is noticed by the
// keypad's own check as itself (a complaint of its own, its quotes closed); each keypad has rules of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "keypad/platform.h"
#include "keypad/scientific_keypad.h"
#include "keypad/standard_keypad.h"

namespace calc {
namespace {

TEST(ConsistencyRules, EveryBrokenRuleIsNoticed) {
    for (const bool scientific : {false, true}) {
        int rule = 0;
        std::set<std::string> complaints;
        for (;; ++rule) {
            MemoryPlatform platform;
            const std::unique_ptr<Keypad> keypad = scientific ? std::unique_ptr<Keypad>(new ScientificKeypad(platform))
                                                              : std::make_unique<StandardKeypad>(platform);
            keypad->Press(Key::Digit5);
            ASSERT_EQ(keypad->CheckConsistency(), "") << "before any break";  // what the check read stays read
            if (!keypad->BreakRule(rule)) break;
            const std::string complaint = keypad->CheckConsistency();
            const bool ok = !complaint.empty() && std::count(complaint.begin(), complaint.end(), '"') % 2 == 0;
            EXPECT_TRUE(ok && complaints.insert(complaint).second) << rule << ": " << complaint;
        }
        EXPECT_GT(rule, Keypad::kSharedRules) << (scientific ? "scientific" : "standard");
    }
}

}  // namespace
}  // namespace calc
