#include "scenario_line.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include "messages.h"

namespace calc::script {

namespace {

constexpr std::string_view kVerbs[] = {"window", "press", "click", "paste", "copy", "show", "expect"};
constexpr std::string_view kExpectations[] = {"display", "memory", "paren",     "inv",   "hyp",
                                              "locked",  "beeps",  "clipboard", "tokens"};
constexpr std::string_view kWindows[] = {"standard", "scientific"};
constexpr Mode kModes[] = {Mode::Standard, Mode::Scientific};
constexpr std::string_view kBlanks = " \t\r\v\f";

// The index of `word` in `names`, or -1.
template <std::size_t N>
int Find(const std::string_view (&names)[N], std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == word) return static_cast<int>(i);
    }
    return -1;
}

ScenarioLine Malformed(std::string message) { return {std::nullopt, "malformed line: " + std::move(message)}; }

ScenarioLine Valid(Action action) { return {std::move(action), {}}; }

template <typename Int>
bool ReadInt(std::string_view text, Int& n, int base = 10) {
    const auto res = std::from_chars(text.data(), text.data() + text.size(), n, base);
    return !text.empty() && res.ec == std::errc() && res.ptr == text.data() + text.size();
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int n = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    out += static_cast<char>((0xF00 >> n) | (c >> (6 * (n - 1))));
    for (int k = n - 2; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

// The character of the escape \u{HEX} at the start of `text`, and the escape's length (0 when there is none).
std::pair<char32_t, std::size_t> UnicodeEscape(std::string_view text) {
    const std::size_t close = text.substr(0, 10).find('}');
    std::uint32_t code = 0;
    if (text.substr(0, 3) != "\\u{" || close == std::string_view::npos ||
        !ReadInt(text.substr(3, close - 3), code, 16) || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return {0, 0};
    }
    return {code, close + 1};
}

// Replaces the escapes of an argument; "" and the fault in `error` at an escape that is none.
std::string Unescape(std::string_view arg, std::string& error) {
    std::string out;
    out.reserve(arg.size());
    for (std::size_t i = 0; i < arg.size(); ++i) {
        const std::size_t backslash = arg.find('\\', i);
        out.append(arg.substr(i, backslash - i));
        if (backslash == std::string_view::npos) break;
        i = backslash;
        const std::size_t named =
            i + 1 < arg.size() ? std::string_view("ntrs\\").find(arg[i + 1]) : std::string_view::npos;
        if (named != std::string_view::npos) {
            out.push_back("\n\t\r \\"[named]);
            ++i;
            continue;
        }
        const auto [code, length] = UnicodeEscape(arg.substr(i));
        if (length == 0) {
            const std::size_t close = arg.substr(i, 10).find('}');
            const std::size_t shown = arg.substr(i, 3) != "\\u{" ? 2 : close == std::string_view::npos ? 10 : close + 1;
            error = "unknown escape " + Quote(arg.substr(i, shown)) + " (known: \\n \\t \\r \\s \\\\ \\u{HEX})";
            return {};
        }
        AppendUtf8(out, code);
        i += length - 1;
    }
    return out;
}

std::vector<std::string> SplitSpaces(std::string_view s) {
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == ' ')
            out.emplace_back();
        else
            out.back().push_back(c);
    }
    return out;
}

// The expectation WHAT VALUE, with the values that only some expectations take checked here.
ScenarioLine ParseExpect(std::string_view arg) {
    const std::size_t sp = arg.find(' ');
    const std::string_view word = arg.substr(0, sp);
    const int kind = Find(kExpectations, word);
    if (kind < 0) return Malformed(Unknown("expectation", word));
    Action a = Action::Expect(static_cast<Expectation>(kind), std::string(sp == arg.npos ? "" : arg.substr(sp + 1)));
    const std::string& value = a.text;
    long count = 0;
    const std::string expect = std::string(Name(Verb::Expect)) + " " + std::string(word);
    if (a.what == Expectation::Beeps && !ReadInt(value, count)) return Malformed(expect + " needs a count");
    if (a.what == Expectation::Locked && value != LockedWord(true) && value != LockedWord(false))
        return Malformed(expect + " " + std::string(LockedWord(true)) + "|" + std::string(LockedWord(false)));
    if ((a.what == Expectation::Inv || a.what == Expectation::Hyp) && value != "0" && value != "1")
        return Malformed(expect + " 0|1");
    return Valid(std::move(a));
}

ScenarioLine ParseAction(Verb verb, std::string arg) {
    switch (verb) {
        case Verb::Window: {
            const int window = Find(kWindows, arg);
            return window < 0 ? Malformed(Unknown("window", arg)) : Valid(Action::Window(kModes[window]));
        }
        case Verb::Press: {
            if (arg.empty()) return Malformed(std::string(Name(verb)) + " needs captions");
            Action a = Action::Of(Verb::Press);
            a.captions = SplitSpaces(arg);
            return Valid(std::move(a));
        }
        case Verb::Click: {
            int n = 0;
            if (!ReadInt(arg, n) || n < -32768 || n > 32767)
                return Malformed(std::string(Name(verb)) + " needs a 16-bit index, got " + Quote(arg));
            return Valid(Action::Click(n));
        }
        case Verb::Paste: return Valid(Action::Paste(std::move(arg)));  // a pasted text may be huge: no copy
        case Verb::Expect: return ParseExpect(arg);
        case Verb::Copy:
        case Verb::Show: break;
    }
    return arg.empty() ? Valid(Action::Of(verb)) : Malformed(std::string(Name(verb)) + " takes no argument");
}

}  // namespace

std::string_view Name(Verb verb) { return kVerbs[static_cast<int>(verb)]; }
std::string_view Name(Expectation what) { return kExpectations[static_cast<int>(what)]; }
std::string_view Name(Mode window) { return kWindows[window == Mode::Standard ? 0 : 1]; }
std::string_view LockedWord(bool locked) { return locked ? "yes" : "no"; }

Action Action::Of(Verb verb) {
    Action a;
    a.verb = verb;
    return a;
}

Action Action::Window(Mode mode) {
    Action a = Of(Verb::Window);
    a.window = mode;
    return a;
}

Action Action::Press(std::string caption) {
    Action a = Of(Verb::Press);
    a.captions.push_back(std::move(caption));
    return a;
}

Action Action::Click(int index) {
    Action a = Of(Verb::Click);
    a.index = index;
    return a;
}

Action Action::Paste(std::string text) {
    Action a = Of(Verb::Paste);
    a.text = std::move(text);
    return a;
}

Action Action::Expect(Expectation what, std::string value) {
    Action a = Of(Verb::Expect);
    a.what = what;
    a.text = std::move(value);
    return a;
}

std::string_view TrimBlanks(std::string_view line) {
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return line.substr(first, line.find_last_not_of(kBlanks) - first + 1);
}

ScenarioLine ParseLine(std::string_view line) {
    line = TrimBlanks(line);
    if (line.empty() || line[0] == '#') return {};
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    const int verb = Find(kVerbs, word);
    if (verb < 0) return Malformed(Unknown("command", word));
    std::string error;
    std::string arg = Unescape(space == std::string_view::npos ? "" : line.substr(space + 1), error);
    if (!error.empty()) return Malformed(error);
    return ParseAction(static_cast<Verb>(verb), std::move(arg));
}

std::string WriteLine(const Action& action) {
    std::string arg;
    switch (action.verb) {
        case Verb::Window: arg = Name(action.window); break;
        case Verb::Press:
            for (const std::string& caption : action.captions) arg += (arg.empty() ? "" : " ") + caption;
            arg = EscapeArgument(arg);
            break;
        case Verb::Click: arg = std::to_string(action.index); break;
        case Verb::Paste: arg = EscapeArgument(action.text); break;
        case Verb::Expect: arg = std::string(Name(action.what)) + " " + EscapeArgument(action.text); break;
        case Verb::Copy:
        case Verb::Show: break;
    }
    const std::string line = std::string(Name(action.verb)) + " " + arg;
    return std::string(TrimBlanks(line));  // no argument, no space after the word
}

std::string EscapeArgument(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8(text, i);
        const std::size_t named = c.length == 1 ? std::string_view("\n\t\r\\").find(text[i]) : std::string_view::npos;
        if (named != std::string_view::npos) {
            out += '\\';
            out += "ntr\\"[named];
        } else if (c.length == 1 && text[i] == ' ' && (i == 0 || i + 1 == text.size())) {
            out += "\\s";
        } else if (c.length > 0 && Unprintable(c.code)) {
            char hex[8];
            const auto end = std::to_chars(hex, hex + sizeof hex, static_cast<std::uint32_t>(c.code), 16).ptr;
            out += "\\u{" + std::string(hex, end) + "}";
        } else {
            out.append(text.substr(i, c.length > 0 ? c.length : 1));  // a byte that is not UTF-8 stays as it is
        }
        i += c.length > 0 ? c.length : 1;
    }
    return out;
}

}  // namespace calc::script
