#pragma once
// calc-script --gui: calc-script itself loads no Qt. It hands its command line over,
// unchanged, to calc-script-gui, the same runner linked with the Qt windows, found
// beside calc-script (the build folder) or in ../libexec/calculator/ (an installation).

namespace calc::script {

// Replaces this process with calc-script-gui, given argv[1...]; returns only when
// there is none to start, after saying so on standard error, with the exit code.
int HandOverToGui(char** argv);

}  // namespace calc::script
