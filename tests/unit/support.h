#pragma once
// What the unit tests share: the error an action raises, and token lists written out.
#include <initializer_list>
#include <optional>

#include "engine/errors.h"
#include "engine/token_list.h"

// The kind of run-time error the action raises, or none: EXPECT_EQ(Raised([&] { ... }), ErrorKind::Overflow).
template <class Action>
std::optional<calc::ErrorKind> Raised(Action&& action) {
    try {
        action();
    } catch (const calc::RuntimeError& e) {
        return e.Kind();
    }
    return std::nullopt;
}

inline calc::TokenList Tokens(std::initializer_list<calc::Value> items) {
    calc::TokenList l;
    for (const calc::Value& v : items) l.Add(v);
    return l;
}
