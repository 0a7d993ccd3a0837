#include "paste/replay.h"

#include "bignum/heap.h"
#include "bignum/stop.h"
#include "paste/filter.h"

namespace calc {

std::optional<Key> ReplayKey(const Value& token) {
    if (!token.IsText()) return std::nullopt;
    const std::string_view t = token.AsText();
    if (t == "negative") return Key::Sign;
    if (t.size() != 1) return std::nullopt;
    switch (t[0]) {
        case '+': return Key::Add;
        case '-': return Key::Subtract;
        case '*': return Key::Multiply;
        case '/': return Key::Divide;
        case 'y':
        case 'Y': return Key::Power;
        case '%': return Key::Modulo;
        case '(': return Key::OpenParen;
        case ')': return Key::CloseParen;
        case '=': return Key::Equals;
        case '!': return Key::Factorial;
        case 'n':
        case 'N': return Key::Ln;
        case 'l':
        case 'L': return Key::Log;
        case 'r':
        case 'R': return Key::Reciprocal;
        case 's':
        case 'S': return Key::Sin;
        case 'o':
        case 'O': return Key::Cos;
        case 't':
        case 'T': return Key::Tan;
        case '@': return Key::Square;
        case '#': return Key::Cube;
        case ';': return Key::Int;
        default: return std::nullopt;
    }
}

void TypeNumber(ScientificKeypad& keypad, std::string_view text) {
    for (char c : text) {
        if (c >= '0' && c <= '9')
            keypad.Press(DigitKey(c - '0'));
        else if (c == '.')
            keypad.Press(Key::Point);
    }
}

void PasteText(ScientificKeypad& keypad, std::string_view text) {
    const TrimHeapAfterLongWork trim;  // a long paste leaves its freed lists in the heap
    const TokenList tokens = PasteTokens(text);
    // Each replayed token adds about one token to the expression: room for them all
    // up front spares the list its copies as it grows.
    keypad.ReserveTokens(tokens.Count());
    for (const Value& token : tokens) {
        ThrowIfStopRequested();
        if (IsNumeric(token))
            TypeNumber(keypad, TextForm(token));
        else if (const std::optional<Key> key = ReplayKey(token))
            keypad.Press(*key);
    }
}

}  // namespace calc
