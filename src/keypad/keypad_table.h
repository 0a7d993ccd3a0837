#pragma once
// Each keypad's keys with their captions, in the order of their indexes (the key table,
// key.h, gives each key its index on each keypad).
#include <optional>
#include <span>
#include <string_view>

#include "keypad/key.h"

namespace calc {

struct KeyEntry {
    Key key{};
    const char* caption = nullptr;
};

// The keys of a keypad; position i holds the key of index i.
std::span<const KeyEntry> KeyTable(Mode mode);

// The key at an index of the keypad, or nothing for an index without a key.
std::optional<Key> KeyAt(Mode mode, int index);
// The key with this caption in the keypad, or nothing.
std::optional<Key> KeyWithCaption(Mode mode, std::string_view caption);

}  // namespace calc
