#include "paste/replay.h"

#include <algorithm>
#include <array>

#include "work/heap.h"
#include "work/stop.h"
#include "engine/operators.h"
#include "paste/filter.h"

namespace calc {

namespace {

// The key of each row of the operator table: the scientific key that means what the row does.
constexpr std::optional<Key> KeyOfRow(const OperatorRow& row) {
    for (const KeyRow& k : kKeyRows) {
        const bool same = std::visit([&](auto meaning) { return k.meaning == KeyMeaning(meaning); }, row.meaning);
        if (same && OnKeypad(Mode::Scientific, k.key)) return k.key;
    }
    return std::nullopt;
}

constexpr bool EveryPastedRowHasAKey() {
    return std::all_of(kOperatorRows.begin(), kOperatorRows.end(),
                       [](const OperatorRow& row) { return row.chars.empty() || KeyOfRow(row).has_value(); });
}
static_assert(EveryPastedRowHasAKey(), "every character of the operator table presses a scientific key");

// The key each ASCII character presses, nothing for a character of no row.
constexpr std::array<std::optional<Key>, 128> KeysOfChars() {
    std::array<std::optional<Key>, 128> keys{};
    // By the rows, not by OperatorRowOf: GCC's -fsanitize=undefined makes its null test no constant expression.
    for (const OperatorRow& row : kOperatorRows) {
        for (char c : row.chars) keys[static_cast<unsigned char>(c)] = KeyOfRow(row);
    }
    return keys;
}

constexpr std::array<std::optional<Key>, 128> kKeyOfChar = KeysOfChars();

// One replayed key; the program stops a long paste here when it quits.
void Press(ScientificKeypad& keypad, Key key) {
    ThrowIfStopRequested();
    keypad.Press(key);
}

// Types a number piece: its digits and point in order; a lone point types 0, a number
// with two points (not a number) types nothing.
void TypeNumber(ScientificKeypad& keypad, std::string_view text, const PastePiece& piece) {
    if (!piece.digits && piece.points == 1) return Press(keypad, Key::Digit0);
    if (!piece.digits || piece.points > 1) return;
    for (std::size_t pos = piece.begin; pos < piece.end;) {
        const char c = ReadChar(text, pos);
        if (c >= '0' && c <= '9')
            Press(keypad, DigitKey(c - '0'));
        else if (c == '.')
            Press(keypad, Key::Point);
    }
}

void Replay(ScientificKeypad& keypad, std::string_view text, const PastePiece& piece) {
    if (piece.op == 0) return TypeNumber(keypad, text, piece);
    if (const std::optional<Key> key = ReplayKey(piece.op)) Press(keypad, *key);
}

}  // namespace

std::optional<Key> ReplayKey(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < kKeyOfChar.size() ? kKeyOfChar[u] : std::nullopt;
}

void PasteText(ScientificKeypad& keypad, std::string_view text) {
    const TrimHeapAfterLongWork trim;  // a long paste leaves freed room in the heap
    PasteScanner scanner(text);
    std::optional<PastePiece> piece = scanner.Next();
    if (piece && piece->IsOperator('-')) {
        // A leading run of minus signs is one sign change of the first operand.
        do {
            piece = scanner.Next();
        } while (piece && piece->IsOperator('-'));
        if (!piece) return;
        if (LeadsWithNonZero(text, *piece)) {
            Replay(keypad, text, *piece);
            piece = scanner.Next();
        } else {
            Press(keypad, Key::Digit0);
        }
        Press(keypad, Key::Sign);
    }
    for (; piece; piece = scanner.Next()) Replay(keypad, text, *piece);
}

}  // namespace calc
