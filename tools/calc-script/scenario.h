#pragma once
// Scenario files: one command a line, run against a Driver.
#include <iosfwd>
#include <string>
#include <vector>

#include "driver.h"

namespace calc::script {

// Replaces the escapes \n \t \\ \s of a scenario argument.
std::string Unescape(const std::string& arg);

// The seven lines of `show`.
std::string FormatShow(const Snapshot& s);

struct CommandResult {
    bool ok = true;
    std::string message;  // what failed: "<expected>, got <found>" or the fault
};

// Runs one scenario line (comments and blank lines are accepted and do nothing).
// `beepMark` is the beep count at the previous `expect beeps`.
class ScenarioRunner {
public:
    explicit ScenarioRunner(Driver& driver) : driver_(driver) {}
    void Restart();
    CommandResult RunLine(const std::string& line);

private:
    CommandResult RunCommand(const std::string& line);
    Driver& driver_;
    long beepMark_ = 0;
};

// Runs a file from a fresh start; writes "PASS FILE" or "FAIL FILE:LINE: ..." to out.
bool RunFile(Driver& driver, const std::string& path, std::ostream& out);

// Runs every file; prints the per-file lines and "N passed, M failed". Exit status.
int CheckFiles(Driver& driver, const std::vector<std::string>& files, std::ostream& out);

// Reads commands from `in`, printing the state after each line.
int Interactive(Driver& driver, std::istream& in, std::ostream& out);

}  // namespace calc::script
