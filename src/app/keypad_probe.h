#pragma once
// Access to the keypads' private state, for the consistency checks and for the tests
// and fuzz self-test that break a state on purpose to see the checks notice it.
// Each accessor takes a keypad, const or not, and returns a reference to the field.
#include "keypad/scientific_keypad.h"
#include "keypad/standard_keypad.h"

namespace calc {

class KeypadProbe {
public:
    // Both keypads.
    template <class K>
    static auto& Display(K& k) {
        return k.display_;
    }
    template <class K>
    static auto& NewNumber(K& k) {
        return k.newNumber_;
    }
    template <class K>
    static auto& Point(K& k) {
        return k.point_;
    }
    template <class K>
    static auto& Locked(K& k) {
        return k.locked_;
    }
    template <class K>
    static auto& Memory(K& k) {
        return k.memory_;
    }
    template <class K>
    static auto& MemoryIndicator(K& k) {
        return k.memoryIndicator_;
    }
    // The standard keypad.
    template <class K>
    static auto& Accumulator(K& k) {
        return k.accumulator_;
    }
    template <class K>
    static auto& Operand(K& k) {
        return k.operand_;
    }
    // The scientific keypad.
    template <class K>
    static auto& Expression(K& k) {
        return k.expression_;
    }
    template <class K>
    static auto& ParenDepth(K& k) {
        return k.parenDepth_;
    }
    template <class K>
    static auto& RepeatOp(K& k) {
        return k.repeatOp_;
    }
    template <class K>
    static auto& RepeatOperand(K& k) {
        return k.repeatOperand_;
    }
    template <class K>
    static auto& LastResult(K& k) {
        return k.lastResult_;
    }
    template <class K>
    static auto& ParenIndicator(K& k) {
        return k.parenIndicator_;
    }
};

}  // namespace calc
