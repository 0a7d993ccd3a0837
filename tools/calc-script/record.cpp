#include "record.h"

#include <istream>
#include <ostream>

#include "scenario.h"

namespace calc::script {

std::string EscapeArgument(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case ' ': out += (i == 0 || i + 1 == text.size()) ? "\\s" : " "; break;
            default: out.push_back(c);
        }
    }
    return out;
}

namespace {

void WriteExpect(std::ostream& out, const char* what, const std::string& value) {
    out << "expect " << what;
    if (!value.empty()) out << ' ' << EscapeArgument(value);
    out << '\n';
}

std::string Word(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return line.substr(first, line.find(' ', first) - first);
}

}  // namespace

int Record(Driver& driver, std::istream& in, std::ostream& out, std::ostream& err, const std::string& name) {
    ScenarioRunner runner(driver);
    runner.Restart();
    long beepMark = 0;
    int number = 0;
    out << "# Recorded by calc-script --record from " << name
        << ": the expectations are what the\n"
           "# headless calculator showed after each action.\n";
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string word = Word(line);
        if (word.empty() || word[0] == '#') {
            out << line << '\n';
            continue;
        }
        if (word == "expect" || word == "show") continue;
        if (word != "window" && word != "press" && word != "click" && word != "paste" && word != "copy") {
            err << name << ":" << number << ": malformed line: unknown action \"" << word << "\"\n";
            return 1;
        }
        const CommandResult r = runner.RunLine(line);
        if (!r.ok) {
            err << name << ":" << number << ": " << r.message << "\n";
            return 1;
        }
        out << line << '\n';

        const Snapshot s = driver.Read();
        WriteExpect(out, "display", s.display);
        WriteExpect(out, "memory", s.memory);
        WriteExpect(out, "locked", s.locked ? "yes" : "no");
        const long beeps = driver.Beeps();
        WriteExpect(out, "beeps", std::to_string(beeps - beepMark));
        beepMark = beeps;
        if (word == "copy") WriteExpect(out, "clipboard", driver.Clipboard());
        if (driver.CurrentMode() == Mode::Scientific) {
            WriteExpect(out, "paren", s.paren);
            WriteExpect(out, "inv", s.inv);
            WriteExpect(out, "hyp", s.hyp);
            WriteExpect(out, "tokens", s.tokens);
        }
    }
    return 0;
}

}  // namespace calc::script
