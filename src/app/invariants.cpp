#include "app/invariants.h"

#include <cmath>
#include <string_view>

#include "app/keypad_probe.h"
#include "engine/errors.h"

namespace calc {

namespace {

bool IsErrorText(std::string_view s) {
    const std::string_view prefix = kErrorPrefix;
    const std::string_view suffix = kErrorSuffix;
    return s.size() >= prefix.size() + suffix.size() && s.substr(0, prefix.size()) == prefix &&
           s.substr(s.size() - suffix.size()) == suffix;
}

// A number in display form, a number being typed (digits and points, an exponent
// that typing or BackSpace may have left incomplete), a lone "-", a factorial's
// digits. Never a letter but "E", never a thousands separator, never a leading ".".
bool IsNumberLike(std::string_view s) {
    if (s.empty() || s.front() == '.') return false;
    std::size_t i = 0;
    if (s[i] == '-') ++i;
    while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.')) ++i;
    if (i < s.size() && s[i] == 'E') {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.')) ++i;
    }
    return i == s.size();
}

std::string CheckDisplay(std::string_view display, bool locked, bool emptyAllowed) {
    const bool error = IsErrorText(display);
    if (error != locked) return locked ? "locked without an error text" : "an error text without the lock";
    if (error) return {};
    if (display.empty()) return emptyAllowed ? std::string() : "an empty display";
    if (!IsNumberLike(display)) return "display is no number: " + std::string(display.substr(0, 60));
    return {};
}

bool Finite(double v) { return std::isfinite(v); }

}  // namespace

std::string CheckInvariants(const Calculator& calculator) {
    using P = KeypadProbe;
    const StandardKeypad& std = calculator.Standard();
    const ScientificKeypad& sci = calculator.Scientific();
    if (!Finite(P::Memory(std)) || !Finite(P::Memory(sci))) return "a memory is not finite";
    const std::string& memory = calculator.MemoryIndicator();
    if (memory != "" && memory != "M") return "bad memory indicator";

    if (calculator.CurrentMode() == Mode::Standard) {
        if (!Finite(P::Accumulator(std)) || !Finite(P::Operand(std))) return "a standard register is not finite";
        return CheckDisplay(std.Display(), std.Locked(), false);
    }

    if (P::NewNumber(sci) && P::Point(sci)) return "point flag set in the new-number state";
    // "(" at the deepest level records its token before the depth counter
    // overflows; the keypad is locked then, until "C" empties the list.
    const std::int16_t depth = P::ParenDepth(sci);
    const TokenList& expr = sci.Expression();
    const bool depthAgrees = static_cast<std::size_t>(depth) == expr.ParenCount();
    if (depth < 0 || (!depthAgrees && !sci.Locked())) {
        return "parenthesis depth " + std::to_string(depth) + " but " + std::to_string(expr.ParenCount()) +
               " \"(\" tokens";
    }
    const std::string paren = depth ? "(=" + std::to_string(depth) : "";
    if (sci.ParenIndicator() != paren)
        return "parenthesis indicator \"" + sci.ParenIndicator() + "\", expected \"" + paren + "\"";
    if (!Finite(P::LastResult(sci)) || !Finite(P::RepeatOperand(sci))) return "a repeat register is not finite";
    // The repeat operator is whatever text stood second in the list, which may be
    // a typed text that reads as no number (a display left as "-." by BackSpace).
    const std::string& repeatOp = P::RepeatOp(sci);
    if (!repeatOp.empty() && !IsNumberLike(repeatOp) && !IsOperatorToken(Value(repeatOp))) return "bad repeat operator";
    for (const Value& v : expr) {
        if (v.IsDouble() && !Finite(v.AsDouble())) return "a token is not finite";
        // A text token is an operator, "(" or a display text that was recorded:
        // typing can leave texts that read as no number ("-1E+15." after "+/-"
        // and "."), which evaluation then passes over.
        if (v.IsText() && !IsNumberLike(v.AsText()) && !IsOperatorToken(v) && !v.Is("(")) {
            return "a token is neither a display text, an operator nor \"(\"";
        }
    }
    return CheckDisplay(sci.Display(), sci.Locked(), true);
}

}  // namespace calc
