#include "options.h"

#include <ostream>
#include <string_view>

#include "messages.h"

namespace calc::script {

const char kUsage[] =
    "usage: calc-script [--gui] --check FILE...\n"
    "       calc-script [--gui]\n"
    "       calc-script --record ACTIONS\n"
    "Runs calculator scenarios (.calc files) against the calculator without windows.\n"
    "\n"
    "  --check FILE...  run scenario files (- for standard input), print PASS/FAIL per file and a summary\n"
    "  --gui            run against the real Qt windows; with no display to open them on (neither\n"
    "                   DISPLAY nor WAYLAND_DISPLAY set, no platform chosen) they run offscreen\n"
    "  -platform NAME   with --gui: open the windows with this Qt platform plugin (as QT_QPA_PLATFORM)\n"
    "  without --check  read commands from standard input, print the state after each\n"
    "  --record ACTIONS run the action lines of ACTIONS (- for standard input) headless and\n"
    "                   write them as a scenario, with what the calculator shows after each\n"
    "  -h, --help       print this help and exit\n"
    "  -v, --version    print the version and exit\n"
    "  --               end of the options: every argument after it is a file\n"
    "\n"
    "Exit status: 0 every scenario passed; 1 a scenario failed; 2 a usage error, or a file\n"
    "that cannot be read, holds no command or a line past its bound, or output that cannot be written.\n"
    "The scenario format: man calc-script, and scenarios.md beside the calculator's documentation.\n";

namespace {

std::nullopt_t UsageError(std::ostream& err, const std::string& what) {
    err << "calc-script: " << what << "\nTry 'calc-script --help' for more information.\n";
    return std::nullopt;
}

bool Options::*Flag(std::string_view arg) {
    static constexpr struct {
        std::string_view name;
        bool Options::*flag;
    } kFlags[] = {{"--gui", &Options::gui},   {"--check", &Options::check}, {"-h", &Options::help},
                  {"--help", &Options::help}, {"-v", &Options::version},    {"--version", &Options::version}};
    for (const auto& f : kFlags) {
        if (arg == f.name) return f.flag;
    }
    return nullptr;
}

// The combinations of options that make no sense together, or "" when there is none.
std::string Conflict(const Options& o) {
    if (o.record && (o.gui || o.check)) return "--record runs alone, without --check or --gui";
    if (o.platform && !o.gui) return "-platform chooses how the windows open: it goes with --gui";
    if (o.check && o.files.empty()) return "--check needs at least one file";
    if (!o.check && !o.files.empty())
        return "'" + Printable(o.files[0], kExcerptChars) + "': files are run with --check";
    return {};
}

}  // namespace

std::optional<Options> ReadOptions(int argc, char** argv, std::ostream& err) {
    Options o;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool option = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!option) {
            o.files.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--record" || arg == "-platform" || arg == "--platform") {
            std::optional<std::string>& value = arg == "--record" ? o.record : o.platform;
            const std::string name(arg);
            if (i + 1 >= argc)
                return UsageError(err, name + (arg == "--record" ? " needs a file of actions" : " needs a name"));
            if (value) return UsageError(err, name + " is given twice");
            value = argv[++i];
        } else if (bool Options::*flag = Flag(arg)) {
            o.*flag = true;
        } else {
            return UsageError(err, "unknown option '" + Printable(arg, kExcerptChars) + "'");
        }
    }
    if (o.help || o.version) return o;
    if (const std::string conflict = Conflict(o); !conflict.empty()) return UsageError(err, conflict);
    return o;
}

}  // namespace calc::script
