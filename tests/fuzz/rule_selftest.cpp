#include "rule_selftest.h"

#include <memory>

#include "keypad/platform.h"
#include "keypad/scientific_keypad.h"
#include "keypad/standard_keypad.h"

namespace calc::fuzz {

std::string UnnoticedRuleBreaks(std::string* log) {
    std::string unnoticed;
    for (const bool scientific : {false, true}) {
        const std::string name = scientific ? "scientific" : "standard";
        int rule = 0;
        for (;; ++rule) {
            MemoryPlatform platform;
            const std::unique_ptr<Keypad> keypad = scientific ? std::unique_ptr<Keypad>(new ScientificKeypad(platform))
                                                              : std::make_unique<StandardKeypad>(platform);
            keypad->Press(Key::Digit5);
            const std::string before = keypad->CheckConsistency();  // what the check has read stays read
            if (!before.empty()) return name + " keypad inconsistent before any break: " + before;
            if (!keypad->BreakRule(rule)) break;
            const std::string noticed = keypad->CheckConsistency();
            const std::string what = name + " keypad, rule " + std::to_string(rule);
            if (log) *log += what + " broken: " + noticed + "\n";
            if (noticed.empty()) unnoticed += what + " broken unnoticed\n";
        }
        if (rule <= Keypad::kSharedRules) unnoticed += name + " keypad: no rule of its own was broken\n";
    }
    return unnoticed;
}

}  // namespace calc::fuzz
