#include "engine/stack.h"

#include "engine/errors.h"

namespace calc {

void Stack::Push(const Value& v) {
    if (count_ == kCapacity) Raise(ErrorKind::Overflow);
    items_.push_back(v);
    ++count_;
}

bool Stack::Pop() {
    if (count_ == 0) return false;
    items_.pop_back();
    --count_;
    return true;
}

Value Stack::Top() const {
    if (count_ == 0) return Value();
    return items_.back();
}

Value Stack::TakeTop() {
    if (count_ == 0) return Value();
    Value v = std::move(items_.back());
    Pop();
    return v;
}

}  // namespace calc
