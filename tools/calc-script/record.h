#pragma once
// calc-script --record: turns a list of actions into a scenario file whose
// expectations are what the calculator shows after each action.
#include <iosfwd>
#include <string>

#include "driver.h"
#include "scenario.h"

namespace calc::script {

// Runs the action lines of `in` (window, press, click, paste, copy) from a fresh
// start. Writes each to `out`, followed by the expectations that hold after it:
// display, memory, locked and beeps (since the previous action); clipboard after a
// copy; paren, inv, hyp and tokens while the scientific window is open. Comments and
// blank lines are copied; expect and show lines are dropped (the recording states
// its own). `name` labels the messages. Returns Passed; Failed after writing to `err` what
// stopped it (a malformed line, an unknown caption, an inconsistent state); Trouble when the
// input could not be read, has a line past its bound or holds no action.
ExitStatus Record(Driver& driver, std::istream& in, std::ostream& out, std::ostream& err, const std::string& name);

}  // namespace calc::script
