#pragma once
// calc-script's command line.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace calc::script {

struct Options {
    bool gui = false;
    bool check = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> files;       // with --check ("-": standard input)
    std::optional<std::string> record;    // --record ACTIONS
    std::optional<std::string> platform;  // -platform NAME (Qt's own option, read again by QApplication)
};

// The text of --help.
extern const char kUsage[];

// Reads the arguments after the program name. On a usage error writes what is wrong to err, with a hint
// to --help, and returns nothing (the program then exits with status 2).
std::optional<Options> ReadOptions(int argc, char** argv, std::ostream& err);

}  // namespace calc::script
