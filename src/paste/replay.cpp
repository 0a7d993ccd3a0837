#include "paste/replay.h"

#include <array>

#include "work/heap.h"
#include "work/stop.h"
#include "engine/operators.h"
#include "paste/filter.h"

namespace calc {

namespace {

// The key of each row of the operator table: the key whose operator or function the
// row names, and for the marks the key of the same name.
std::optional<Key> KeyOfRow(const OperatorRow& row) {
    if (const auto* mark = std::get_if<Mark>(&row.meaning)) {
        switch (*mark) {
            case Mark::OpenParen: return Key::OpenParen;
            case Mark::CloseParen: return Key::CloseParen;
            case Mark::Equals: return Key::Equals;
        }
    }
    for (int k = 0; k <= static_cast<int>(Key::MemoryAdd); ++k) {
        const Key key = static_cast<Key>(k);
        const auto* op = std::get_if<BinaryOp>(&row.meaning);
        const auto* f = std::get_if<Function>(&row.meaning);
        if ((op && BinaryOpOf(key) == *op) || (f && FunctionOf(key) == *f)) return key;
    }
    return std::nullopt;
}

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
    static const auto kKeys = [] {
        std::array<std::optional<Key>, 128> keys{};
        for (int ch = 0; ch < 128; ++ch) {
            if (const OperatorRow* row = OperatorRowOf(static_cast<char>(ch))) keys[ch] = KeyOfRow(*row);
        }
        return keys;
    }();
    const auto u = static_cast<unsigned char>(c);
    return u < kKeys.size() ? kKeys[u] : std::nullopt;
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
