// calc-script: runs scenario files (key presses, pastes and expectations) against
// the calculator, headless or, with --gui, against the real windows (calc-script hands
// those runs over to calc-script-gui, built from this file with the windows linked in).
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

#include "calc_version.h"
#include "headless_driver.h"
#include "options.h"
#include "record.h"
#include "scenario.h"

#ifdef CALC_SCRIPT_GUI
#include "gui_driver.h"
#else
#include "gui_handover.h"
#endif

namespace {

using calc::script::ExitStatus;

// cppcheck-suppress constParameterReference ; the GUI build hands argc on to QApplication, which takes a reference
ExitStatus Run(const calc::script::Options& options, int& argc, char** argv) {
    if (options.record) {
        calc::script::HeadlessDriver driver;
        std::ifstream file;
        std::istream* in = calc::script::OpenInput(*options.record, file, std::cin, std::cerr);
        if (!in) return ExitStatus::Trouble;
        return calc::script::Record(driver, *in, std::cout, std::cerr, *options.record);
    }
    if (options.gui) {
#ifdef CALC_SCRIPT_GUI
        return calc::script::RunGui(argc, argv, options);
#else
        (void)argc;
        return static_cast<ExitStatus>(calc::script::HandOverToGui(argv));
#endif
    }
    calc::script::HeadlessDriver driver;
    if (options.check) return calc::script::CheckFiles(driver, options.files, std::cout, std::cerr);
    return calc::script::Interactive(driver, std::cin, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<calc::script::Options> options = calc::script::ReadOptions(argc, argv, std::cerr);
    if (!options) return static_cast<int>(ExitStatus::Trouble);
    // Output that never arrives is no success: the first failed write (a full disk) ends the run.
    std::cout.exceptions(std::ios::badbit);
    try {
        ExitStatus status = ExitStatus::Passed;
        if (options->help)
            std::cout << calc::script::kUsage;
        else if (options->version)
            std::cout << "calc-script " CALC_VERSION "\n";
        else
            status = Run(*options, argc, argv);
        std::cout.flush();
        return static_cast<int>(status);
    } catch (const std::ios_base::failure&) {
        const int error = errno;
        std::cout.exceptions(std::ios::goodbit);  // the flush at exit fails quietly
        std::cerr << "calc-script: cannot write to standard output: " << std::strerror(error ? error : EIO) << "\n";
        return static_cast<int>(ExitStatus::Trouble);
    }
}
