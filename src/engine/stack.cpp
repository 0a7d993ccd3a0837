#include "engine/stack.h"

#include "engine/errors.h"

namespace calc {

void Stack::Push(const Value& m_Data) {
    if (m_Count == kCapacity) Raise(ErrorKind::Overflow);
    m_Items.push_back(m_Data);
    ++m_Count;
}

bool Stack::Pop() {
    if (m_Count == 0) return false;
    m_Items.pop_back();
    --m_Count;
    return true;
}

Value Stack::Top() const {
    if (m_Count == 0) return Value();
    return m_Items.back();
}

Value Stack::Ptop() {
    if (m_Count == 0) return Value();
    Value v = std::move(m_Items.back());
    Pop();
    return v;
}

}  // namespace calc
