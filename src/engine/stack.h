#pragma once
// Last-in, first-out store of Values for the evaluator. Holds at most 32767 items:
// the next push raises the overflow error before anything is stored.
#include <cstdint>
#include <vector>

#include "engine/value.h"

namespace calc {

class Stack {
public:
    static constexpr std::int16_t kCapacity = 32767;

    // Evaluation rarely stacks more than a few items: room for them up front.
    Stack() { m_Items.reserve(8); }

    void Push(const Value& m_Data);
    // Removes the top item; false (and no change) on an empty stack.
    bool Pop();
    // A copy of the top item; the empty value on an empty stack.
    Value Top() const;
    // Top followed by Pop.
    Value Ptop();
    bool Sempty() const { return m_Count == 0; }
    std::int16_t Count() const { return m_Count; }

private:
    std::vector<Value> m_Items;
    std::int16_t m_Count = 0;
};

}  // namespace calc
