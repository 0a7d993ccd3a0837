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
    Stack() { items_.reserve(8); }

    void Push(const Value& v);
    // Removes the top item; false (and no change) on an empty stack.
    bool Pop();
    // A copy of the top item; the empty value on an empty stack.
    Value Top() const;
    // Top followed by Pop.
    Value TakeTop();
    bool Empty() const { return count_ == 0; }
    std::int16_t Count() const { return count_; }

private:
    std::vector<Value> items_;
    std::int16_t count_ = 0;
};

}  // namespace calc
