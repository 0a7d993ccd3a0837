#include "record.h"

#include <istream>
#include <ostream>

#include "line_reader.h"
#include "messages.h"
#include "scenario.h"

namespace calc::script {

namespace {

void WriteExpectations(Driver& driver, ScenarioRunner& runner, std::ostream& out, bool copied) {
    const Snapshot s = driver.Read();
    const auto write = [&](Expectation what) {
        out << WriteLine(Action::Expect(what, runner.Observe(what, s))) << '\n';
    };
    for (const Expectation what : {Expectation::Display, Expectation::Memory, Expectation::Locked, Expectation::Beeps})
        write(what);
    if (copied) write(Expectation::Clipboard);
    if (driver.CurrentMode() != Mode::Scientific) return;
    for (const Expectation what : {Expectation::Paren, Expectation::Inv, Expectation::Hyp, Expectation::Tokens})
        write(what);
}

}  // namespace

ExitStatus Record(Driver& driver, std::istream& in, std::ostream& out, std::ostream& err, const std::string& name) {
    ScenarioRunner runner(driver, out);
    runner.Restart();
    bool anyAction = false;
    out << "# Recorded by calc-script --record from " << Printable(name)
        << ": the expectations are what the\n"
           "# headless calculator showed after each action.\n";
    LineReader reader(in);
    std::string line;
    for (LineReader::Got got; (got = reader.Next(line)) != LineReader::Got::End;) {
        const std::string where = Printable(name) + ":" + std::to_string(reader.Number());
        if (got == LineReader::Got::TooLong) return TooLong(where, err);
        ScenarioLine parsed = ParseLine(line);
        if (!parsed.action && parsed.error.empty()) {  // a comment or a blank line, copied
            out << TrimBlanks(line) << '\n';
            continue;
        }
        if (parsed.action && (parsed.action->verb == Verb::Expect || parsed.action->verb == Verb::Show)) continue;
        const std::string written = parsed.action ? WriteLine(*parsed.action) : std::string();
        const bool copied = parsed.action && parsed.action->verb == Verb::Copy;
        const CommandResult r =
            parsed.action ? runner.RunAction(std::move(*parsed.action)) : CommandResult{false, parsed.error};
        if (!r.ok) {
            err << "calc-script: " << where << ": " << r.message << "\n";
            return ExitStatus::Failed;
        }
        out << written << '\n';
        anyAction = true;
        WriteExpectations(driver, runner, out, copied);
    }
    if (!ReadToEnd(in, name, err)) return ExitStatus::Trouble;
    if (!anyAction) {
        err << "calc-script: " << Printable(name) << ": holds no action\n";
        return ExitStatus::Trouble;
    }
    return ExitStatus::Passed;
}

}  // namespace calc::script
