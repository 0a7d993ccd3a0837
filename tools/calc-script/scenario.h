#pragma once
// Scenario files: one command a line (scenario_line.h, read by line_reader.h), run against a Driver.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "driver.h"
#include "line_reader.h"
#include "scenario_line.h"

namespace calc::script {

// The seven lines of `show`, written piece by piece: a huge display is not copied once more.
void WriteShow(std::ostream& out, const Snapshot& s);

struct CommandResult {
    bool ok = true;
    std::string message;   // what failed: "<expected>, got <found>" or the fault
    bool command = false;  // the line was a command, not a blank line or a comment
    bool shown = false;    // the command was `show`, which wrote the state
};

// Runs scenario lines against a driver; `show` writes to `shown`. The beep count at the previous
// observation of the beeps (`expect beeps`, or --record writing one) is kept for the next one.
class ScenarioRunner {
public:
    ScenarioRunner(Driver& driver, std::ostream& shown) : driver_(driver), shown_(shown) {}
    // Carries out one action, then the consistency checks.
    CommandResult RunAction(Action action);
    // What the calculator shows for an expectation, from a snapshot of its state; for beeps, the alert
    // sounds since the previous time they were observed.
    std::string Observe(Expectation what, const Snapshot& state);
    void Restart();
    // Runs one line (comments and blank lines are accepted and do nothing), then the consistency checks.
    CommandResult RunLine(std::string line);
    // `show`: writes the state to `shown`; fails when no memory is left to read it (nothing written then).
    CommandResult Show();

private:
    CommandResult Run(Action action);
    CommandResult Press(const std::vector<std::string>& captions);
    CommandResult Expect(const Action& expectation);
    Driver& driver_;
    std::ostream& shown_;
    long beepMark_ = 0;
};

// How a run of calc-script ends: 0 every scenario passed, 1 one failed, 2 an input or output error (or a
// usage error, found before anything runs).
enum class ExitStatus { Passed = 0, Failed = 1, Trouble = 2 };
inline ExitStatus Worse(ExitStatus a, ExitStatus b) { return a > b ? a : b; }

// Runs a file ("-": standard input) from a fresh start; writes "PASS FILE" or "FAIL FILE:LINE: ..." to
// out. A file that cannot be read or holds no command is reported on err instead, and never passes.
ExitStatus RunFile(Driver& driver, const std::string& path, std::ostream& out, std::ostream& err);

// Runs every file; prints the per-file lines and "N passed, M failed". The worst status of the files.
ExitStatus CheckFiles(Driver& driver, const std::vector<std::string>& files, std::ostream& out, std::ostream& err);

// Reads commands from `in`, printing the state after each line (once for `show`) and each failure on
// err. Failed when a line failed.
ExitStatus Interactive(Driver& driver, std::istream& in, std::ostream& out, std::ostream& err);

// Reports a line that LineReader found too long ("calc-script: WHERE: ..."), and returns Trouble.
ExitStatus TooLong(const std::string& where, std::ostream& err);

// Opens `path` for reading ("-": `stdinStream`); on failure says why on err ("calc-script: PATH: reason").
// The stream lives in `file` unless it is standard input.
std::istream* OpenInput(const std::string& path, std::ifstream& file, std::istream& stdinStream, std::ostream& err);

// Reports a read error on `in` (after its last line) on err. True when there was none.
bool ReadToEnd(const std::istream& in, const std::string& path, std::ostream& err);

}  // namespace calc::script
