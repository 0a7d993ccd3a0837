#include "keypad/keypad_table.h"

#include <algorithm>
#include <array>

namespace calc {

namespace {

constexpr int IndexOn(Mode mode, const KeyRow& row) { return mode == Mode::Standard ? row.standard : row.scientific; }

constexpr bool RowsInKeyOrder() {
    for (std::size_t i = 0; i < kKeyRows.size(); ++i) {
        if (static_cast<std::size_t>(kKeyRows[i].key) != i) return false;
    }
    return true;
}
static_assert(RowsInKeyOrder(), "the key table lists the keys in the order of their enumerators");

constexpr std::size_t KeysOn(Mode mode) {
    return static_cast<std::size_t>(
        std::count_if(kKeyRows.begin(), kKeyRows.end(), [mode](const KeyRow& row) { return IndexOn(mode, row) >= 0; }));
}

// The keys of a keypad in the order of their indexes.
template <Mode M>
constexpr std::array<KeyEntry, KeysOn(M)> KeypadTable() {
    std::array<KeyEntry, KeysOn(M)> table{};
    for (const KeyRow& row : kKeyRows) {
        if (const int i = IndexOn(M, row); i >= 0) table.at(static_cast<std::size_t>(i)) = {row.key, row.caption};
    }
    return table;
}

// Every index from 0 to the last holds a key (so no two keys share one).
constexpr bool EveryIndexHasAKey(std::span<const KeyEntry> table) {
    return std::all_of(table.begin(), table.end(), [](const KeyEntry& k) { return k.caption != nullptr; });
}

constexpr auto kStandard = KeypadTable<Mode::Standard>();
constexpr auto kScientific = KeypadTable<Mode::Scientific>();
static_assert(EveryIndexHasAKey(kStandard) && EveryIndexHasAKey(kScientific));

}  // namespace

std::span<const KeyEntry> KeyTable(Mode mode) {
    if (mode == Mode::Standard) return kStandard;
    return kScientific;
}

std::optional<Key> KeyAt(Mode mode, int index) {
    const auto table = KeyTable(mode);
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) return std::nullopt;
    return table[static_cast<std::size_t>(index)].key;
}

std::optional<Key> KeyWithCaption(Mode mode, std::string_view caption) {
    const auto table = KeyTable(mode);
    const auto k = std::find_if(table.begin(), table.end(), [&](const KeyEntry& e) { return caption == e.caption; });
    if (k == table.end()) return std::nullopt;
    return k->key;
}

}  // namespace calc
