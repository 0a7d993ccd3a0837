#include "scenario.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>

namespace calc::script {

namespace {

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

CommandResult Fail(std::string message) { return {false, std::move(message)}; }

CommandResult Expect(const std::string& what, const std::string& expected, const std::string& found) {
    if (expected == found) return {};
    return Fail(what + " " + Quote(expected) + ", got " + Quote(found));
}

std::vector<std::string> Split(const std::string& s) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : s) {
        if (c == ' ') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    out.push_back(cur);
    return out;
}

}  // namespace

std::string Unescape(const std::string& arg) {
    std::string out;
    out.reserve(arg.size());
    for (std::size_t i = 0; i < arg.size(); ++i) {
        if (arg[i] == '\\' && i + 1 < arg.size()) {
            switch (arg[i + 1]) {
                case 'n':
                    out.push_back('\n');
                    ++i;
                    continue;
                case 't':
                    out.push_back('\t');
                    ++i;
                    continue;
                case '\\':
                    out.push_back('\\');
                    ++i;
                    continue;
                case 's':
                    out.push_back(' ');
                    ++i;
                    continue;
                default: break;
            }
        }
        out.push_back(arg[i]);
    }
    return out;
}

std::string FormatShow(const Snapshot& s) {
    std::string out;
    out += "display: " + s.display + "\n";
    out += "memory: " + s.memory + "\n";
    out += "paren: " + s.paren + "\n";
    out += "inv: " + s.inv + "\n";
    out += "hyp: " + s.hyp + "\n";
    out += std::string("locked: ") + (s.locked ? "yes" : "no") + "\n";
    out += "tokens: " + s.tokens + "\n";
    return out;
}

void ScenarioRunner::Restart() {
    driver_.Start();
    beepMark_ = 0;
}

CommandResult ScenarioRunner::RunLine(const std::string& rawLine) {
    CommandResult r = RunCommand(rawLine);
    if (r.ok) {
        const std::string violation = driver_.TakeViolation();
        if (!violation.empty()) return Fail("inconsistent state: " + violation);
    }
    return r;
}

CommandResult ScenarioRunner::RunCommand(const std::string& rawLine) {
    std::string line = rawLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') return {};

    const std::size_t space = line.find(' ');
    const std::string word = line.substr(0, space);
    const bool hasArg = space != std::string::npos;
    const std::string arg = hasArg ? Unescape(line.substr(space + 1)) : std::string();
    const bool scientific = driver_.CurrentMode() == Mode::Scientific;

    if (word == "window") {
        if (arg == "standard")
            driver_.ShowMode(Mode::Standard);
        else if (arg == "scientific")
            driver_.ShowMode(Mode::Scientific);
        else
            return Fail("malformed line: unknown window " + Quote(arg));
        return {};
    }
    if (word == "press") {
        if (!hasArg || arg.empty()) return Fail("malformed line: press needs captions");
        for (const std::string& caption : Split(arg)) {
            if (!driver_.Press(caption)) {
                return Fail("unknown caption " + Quote(caption) + " in the " +
                            (scientific ? "scientific" : "standard") + " window");
            }
        }
        return {};
    }
    if (word == "click") {
        int n = 0;
        auto res = std::from_chars(arg.data(), arg.data() + arg.size(), n);
        if (arg.empty() || res.ec != std::errc() || res.ptr != arg.data() + arg.size() || n < -32768 || n > 32767) {
            return Fail("malformed line: click needs a 16-bit index, got " + Quote(arg));
        }
        driver_.PressIndex(n);
        return {};
    }
    if (word == "paste") {
        if (!scientific) return Fail("paste: the standard window has no Paste");
        driver_.Paste(arg);
        return {};
    }
    if (word == "copy") {
        driver_.Copy();
        return {};
    }
    if (word == "show") {
        std::cout << FormatShow(driver_.Read());
        return {};
    }
    if (word == "expect") {
        const std::size_t sp = arg.find(' ');
        const std::string what = arg.substr(0, sp);
        const std::string value = sp == std::string::npos ? std::string() : arg.substr(sp + 1);
        if (what == "beeps") {
            long n = 0;
            auto res = std::from_chars(value.data(), value.data() + value.size(), n);
            if (value.empty() || res.ec != std::errc() || res.ptr != value.data() + value.size()) {
                return Fail("malformed line: expect beeps needs a count");
            }
            const long now = driver_.Beeps();
            const long since = now - beepMark_;
            beepMark_ = now;
            return Expect("beeps", value, std::to_string(since));
        }
        if (what == "clipboard") return Expect("clipboard", value, driver_.Clipboard());
        const Snapshot s = driver_.Read();
        if (what == "display") return Expect("display", value, s.display);
        if (what == "memory") return Expect("memory", value, s.memory);
        if (what == "locked") {
            if (value != "yes" && value != "no") return Fail("malformed line: expect locked yes|no");
            return Expect("locked", value, s.locked ? "yes" : "no");
        }
        if (what == "paren" || what == "inv" || what == "hyp" || what == "tokens") {
            if (!scientific) return Fail("expect " + what + " needs the scientific window");
            if (what == "paren") return Expect("paren", value, s.paren);
            if (what == "tokens") return Expect("tokens", value, s.tokens);
            if (value != "0" && value != "1") return Fail("malformed line: expect " + what + " 0|1");
            return Expect(what, value, what == "inv" ? s.inv : s.hyp);
        }
        return Fail("malformed line: unknown expectation " + Quote(what));
    }
    return Fail("malformed line: unknown command " + Quote(word));
}

bool RunFile(Driver& driver, const std::string& path, std::ostream& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out << "FAIL " << path << ":0: cannot open the file\n";
        return false;
    }
    ScenarioRunner runner(driver);
    runner.Restart();
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const CommandResult r = runner.RunLine(line);
        if (!r.ok) {
            out << "FAIL " << path << ":" << number << ": " << r.message << "\n";
            return false;
        }
    }
    out << "PASS " << path << "\n";
    return true;
}

int CheckFiles(Driver& driver, const std::vector<std::string>& files, std::ostream& out) {
    int passed = 0, failed = 0;
    for (const std::string& f : files) {
        if (RunFile(driver, f, out))
            ++passed;
        else
            ++failed;
        out.flush();
    }
    out << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}

int Interactive(Driver& driver, std::istream& in, std::ostream& out) {
    ScenarioRunner runner(driver);
    std::string line;
    while (std::getline(in, line)) {
        const CommandResult r = runner.RunLine(line);
        if (!r.ok) out << "error: " << r.message << "\n";
        out << FormatShow(driver.Read()) << std::flush;
    }
    return 0;
}

}  // namespace calc::script
