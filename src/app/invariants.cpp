#include "app/invariants.h"

#include <cmath>
#include <string_view>

#include "engine/errors.h"

namespace calc {

namespace {

bool IsFlag(std::int16_t v) { return v == 0 || v == -1; }

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

std::string CheckInvariants(const Application& app) {
    const Module1& m = app.store();
    if (!Finite(m.dblStdMemory) || !Finite(m.dblSciMemory)) return "a memory is not finite";

    if (const StandardWindow* w = app.Form1()) {
        if (!IsFlag(m.blnStdError) || !IsFlag(m.blnStdNewNumber) || !IsFlag(m.blnStdPoint) ||
            !IsFlag(m.blnOpPending) || !IsFlag(m.blnOperandTyped)) {
            return "a standard flag is neither 0 nor -1";
        }
        if (m.intPendingOp != -1 && (m.intPendingOp < 1 || m.intPendingOp > 4)) return "bad pending operation";
        if (!Finite(m.dblAccumulator) || !Finite(m.dblOperand)) return "a standard register is not finite";
        if (w->Text2() != "" && w->Text2() != "M") return "bad memory indicator";
        return CheckDisplay(w->Text1(), m.blnStdError != 0, false);
    }

    if (const ScientificWindow* w = app.Form2()) {
        if (!IsFlag(m.blnSciError) || !IsFlag(m.blnSciNewNumber) || !IsFlag(m.blnSciPoint)) {
            return "a scientific flag is neither 0 nor -1";
        }
        if (m.blnSciNewNumber && m.blnSciPoint) return "point flag set in the new-number state";
        if (w->Check1() != 0 && w->Check1() != 1) return "Inv is neither 0 nor 1";
        if (w->Check2() != 0 && w->Check2() != 1) return "Hyp is neither 0 nor 1";
        if (w->Text3() != "" && w->Text3() != "M") return "bad memory indicator";
        // "(" at the deepest level records its token before the depth counter
        // overflows; the keypad is locked then, until "C" empties the list.
        const bool depthAgrees = static_cast<std::size_t>(m.intParenDepth) == m.colExpr.ParenCount();
        if (m.intParenDepth < 0 || (!depthAgrees && !m.blnSciError)) {
            return "parenthesis depth " + std::to_string(m.intParenDepth) + " but " +
                   std::to_string(m.colExpr.ParenCount()) + " \"(\" tokens";
        }
        const std::string paren = m.intParenDepth ? "(=" + std::to_string(m.intParenDepth) : "";
        if (w->Text2() != paren) return "parenthesis indicator \"" + w->Text2() + "\", expected \"" + paren + "\"";
        if (!Finite(m.dblLastResult) || !Finite(m.dblRepeatOperand)) return "a repeat register is not finite";
        // The repeat operator is whatever text stood second in the list, which may be
        // a typed text that reads as no number (a display left as "-." by BackSpace).
        if (!m.strRepeatOp.empty() && !IsNumberLike(m.strRepeatOp) && !IsOperatorToken(Value(m.strRepeatOp))) {
            return "bad repeat operator";
        }
        const TokenList& expr = m.colExpr;
        for (std::size_t i = 1; i <= expr.Count(); ++i) {
            const Value& v = expr.Item(i);
            if (v.IsDouble() && !Finite(v.AsDouble())) return "a token is not finite";
            // A text token is an operator, "(" or a display text that was recorded:
            // typing can leave texts that read as no number ("-1E+15." after "+/-"
            // and "."), which evaluation then passes over.
            if (v.IsText() && !IsNumberLike(v.AsText()) && !IsOperatorToken(v) && !v.Is("(")) {
                return "a token is neither a display text, an operator nor \"(\"";
            }
        }
        return CheckDisplay(w->Text1(), m.blnSciError != 0, true);
    }
    return "no calculator window is loaded";
}

}  // namespace calc
