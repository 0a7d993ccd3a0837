#include "paste/replay.h"

#include "paste/filter.h"

namespace calc {

int ReplayKey(const Value& token) {
    if (token.IsText() && token.AsText().size() == 1) {
        switch (token.AsText()[0]) {
            case '-': return 12;
            case '+': return 11;
            case '*': return 13;
            case '/': return 14;
            case 'y': case 'Y': return 18;
            case '%': return 35;
            case '(': return 16;
            case ')': return 17;
            case '=': return 19;
            default: break;
        }
    }
    if (IsNumeric(token)) return -2;
    if (!token.IsText()) return -1;
    const std::string_view t = token.AsText();
    if (t == "negative") return 15;
    if (t.size() != 1) return -1;
    switch (t[0]) {
        case '!': return 27;
        case 'n': case 'N': return 25;
        case 'l': case 'L': return 26;
        case 'r': case 'R': return 28;
        case 's': case 'S': return 29;
        case 'o': case 'O': return 30;
        case 't': case 'T': return 31;
        case '@': return 32;
        case '#': return 33;
        case ';': return 34;
        default: return -1;
    }
}

void ReplayNumber(ScientificWindow& window, const std::string& text) {
    for (char c : text) {
        if (c >= '0' && c <= '9') window.Command1_Click(c - '0');
        else if (c == '.') window.Command1_Click(10);
    }
}

void PasteExpression(ScientificWindow& window, std::string_view text) {
    TokenList& paste = window.store().colPaste;
    FilterExpression(text, paste);
    // Each replayed token adds about one token to the expression: room for them all
    // up front spares the list its copies as it grows.
    TokenList& expr = window.store().colExpr;
    expr.Reserve(expr.Count() + paste.Count());
    for (std::size_t i = 1; i <= paste.Count(); ++i) {
        const Value& token = paste.Item(i);
        const int key = ReplayKey(token);
        if (key == -2) ReplayNumber(window, TextForm(token));
        else if (key >= 0) window.Command1_Click(key);
    }
}

}  // namespace calc
