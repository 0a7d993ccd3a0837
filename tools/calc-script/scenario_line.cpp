#include "scenario_line.h"

#include <charconv>

#include "messages.h"

namespace calc::script {

namespace {

ScenarioLine Malformed(std::string message) { return {std::nullopt, "malformed line: " + std::move(message)}; }

// What the letter after a backslash stands for, or '\0' when the pair is no escape.
char Escaped(char letter) {
    switch (letter) {
        case 'n': return '\n';
        case 't': return '\t';
        case '\\': return '\\';
        case 's': return ' ';
        default: return '\0';
    }
}

ScenarioLine Valid(Action action) { return {std::move(action), {}}; }

Action Of(Verb verb) {
    Action a;
    a.verb = verb;
    return a;
}

template <typename Int>
bool ReadInt(std::string_view text, Int& n) {
    const auto res = std::from_chars(text.data(), text.data() + text.size(), n);
    return !text.empty() && res.ec == std::errc() && res.ptr == text.data() + text.size();
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
ScenarioLine ParseExpect(const std::string& arg) {
    const std::size_t sp = arg.find(' ');
    Action a = Of(Verb::Expect);
    a.what = arg.substr(0, sp);
    a.text = sp == std::string::npos ? std::string() : arg.substr(sp + 1);
    const std::string& what = a.what;
    long count = 0;
    if (what == "beeps" && !ReadInt(a.text, count)) return Malformed("expect beeps needs a count");
    if (what == "locked" && a.text != "yes" && a.text != "no") return Malformed("expect locked yes|no");
    if ((what == "inv" || what == "hyp") && a.text != "0" && a.text != "1") return Malformed("expect " + what + " 0|1");
    for (const char* known : {"display", "memory", "paren", "inv", "hyp", "locked", "beeps", "clipboard", "tokens"}) {
        if (what == known) return Valid(std::move(a));
    }
    return Malformed("unknown expectation " + Quote(what));
}

}  // namespace

std::string Unescape(std::string_view arg) {
    std::string out;
    out.reserve(arg.size());
    for (std::size_t i = 0; i < arg.size(); ++i) {
        const char escaped = arg[i] == '\\' && i + 1 < arg.size() ? Escaped(arg[i + 1]) : '\0';
        if (escaped) ++i;
        out.push_back(escaped ? escaped : arg[i]);
    }
    return out;
}

ScenarioLine ParseLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') return {};

    const std::size_t space = line.find(' ');
    const std::string word(line.substr(0, space));
    const bool hasArg = space != std::string_view::npos;
    std::string arg = hasArg ? Unescape(line.substr(space + 1)) : std::string();
    if (word == "window") {
        if (arg != "standard" && arg != "scientific") return Malformed("unknown window " + Quote(arg));
        Action a = Of(Verb::Window);
        a.window = arg == "standard" ? Mode::Standard : Mode::Scientific;
        return Valid(std::move(a));
    }
    if (word == "press") {
        if (arg.empty()) return Malformed("press needs captions");
        Action a = Of(Verb::Press);
        a.captions = SplitSpaces(arg);
        return Valid(std::move(a));
    }
    if (word == "click") {
        int n = 0;
        if (!ReadInt(arg, n) || n < -32768 || n > 32767)
            return Malformed("click needs a 16-bit index, got " + Quote(arg));
        Action a = Of(Verb::Click);
        a.index = n;
        return Valid(std::move(a));
    }
    if (word == "paste") {
        Action a = Of(Verb::Paste);
        a.text = std::move(arg);  // a pasted text may be hundreds of megabytes: no copy
        return Valid(std::move(a));
    }
    if (word == "copy") return Valid(Of(Verb::Copy));
    if (word == "show") return Valid(Of(Verb::Show));
    if (word == "expect") return ParseExpect(arg);
    return Malformed("unknown command " + Quote(word));
}

}  // namespace calc::script
