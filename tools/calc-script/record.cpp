#include "record.h"

#include <istream>
#include <ostream>

#include "messages.h"
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

void WriteExpectations(Driver& driver, std::ostream& out, bool copied, long& beepMark) {
    const Snapshot s = driver.Read();
    WriteExpect(out, "display", s.display);
    WriteExpect(out, "memory", s.memory);
    WriteExpect(out, "locked", s.locked ? "yes" : "no");
    const long beeps = driver.Beeps();
    WriteExpect(out, "beeps", std::to_string(beeps - beepMark));
    beepMark = beeps;
    if (copied) WriteExpect(out, "clipboard", driver.Clipboard());
    if (driver.CurrentMode() == Mode::Scientific) {
        WriteExpect(out, "paren", s.paren);
        WriteExpect(out, "inv", s.inv);
        WriteExpect(out, "hyp", s.hyp);
        WriteExpect(out, "tokens", s.tokens);
    }
}

}  // namespace

ExitStatus Record(Driver& driver, std::istream& in, std::ostream& out, std::ostream& err, const std::string& name) {
    ScenarioRunner runner(driver, out);
    runner.Restart();
    long beepMark = 0;
    int number = 0;
    bool anyAction = false;
    out << "# Recorded by calc-script --record from " << Printable(name)
        << ": the expectations are what the\n"
           "# headless calculator showed after each action.\n";
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const ScenarioLine parsed = ParseLine(line);
        if (parsed.action && (parsed.action->verb == Verb::Expect || parsed.action->verb == Verb::Show)) continue;
        const CommandResult r =
            parsed.action ? runner.RunLine(line) : CommandResult{parsed.error.empty(), parsed.error};
        if (!r.ok) {
            err << "calc-script: " << Printable(name) << ":" << number << ": " << r.message << "\n";
            return ExitStatus::Failed;
        }
        out << line << '\n';
        if (!parsed.action) continue;  // a comment or a blank line, copied
        anyAction = true;
        WriteExpectations(driver, out, parsed.action->verb == Verb::Copy, beepMark);
    }
    if (!ReadToEnd(in, name, err)) return ExitStatus::Trouble;
    if (!anyAction) {
        err << "calc-script: " << Printable(name) << ": holds no action\n";
        return ExitStatus::Trouble;
    }
    return ExitStatus::Passed;
}

}  // namespace calc::script
