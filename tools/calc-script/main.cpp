// calc-script: runs scenario files (key presses, pastes and expectations) against
// the calculator, headless or, with --gui, against the real windows (calc-script hands
// those runs over to calc-script-gui, built from this file with the windows linked in).
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "calc_version.h"
#include "headless_driver.h"
#include "record.h"
#include "scenario.h"

#ifdef CALC_SCRIPT_GUI
#include "gui_driver.h"
#else
#include "gui_handover.h"
#endif

namespace {

int Usage() {
    std::cerr << "usage: calc-script [--gui] [--check FILE...] | calc-script --record ACTIONS\n"
                 "  --check FILE...  run scenario files, print PASS/FAIL per file and a summary\n"
                 "  --gui            run against the real Qt windows (offscreen works)\n"
                 "  without --check  read commands from standard input, print the state after each\n"
                 "  --record ACTIONS run the action lines of ACTIONS (- for standard input) headless and\n"
                 "                   write them as a scenario, with what the calculator shows after each\n"
                 "  --version        print the version and exit\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool gui = false;
    bool check = false;
    std::vector<std::string> files;
    const char* record = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--record") == 0 && !check && !record && i + 1 < argc)
            record = argv[++i];
        else if (std::strcmp(argv[i], "--gui") == 0)
            gui = true;
        else if (std::strcmp(argv[i], "--check") == 0)
            check = true;
        else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return Usage(), 0;
        else if (std::strcmp(argv[i], "--version") == 0)
            return std::cout << "calc-script " CALC_VERSION "\n", 0;
        else if (check)
            files.emplace_back(argv[i]);
        else
            return Usage();
    }
    if (check && files.empty()) return Usage();
    if (record) {
        if (gui || check) return Usage();
        calc::script::HeadlessDriver driver;
        if (std::strcmp(record, "-") == 0) return calc::script::Record(driver, std::cin, std::cout, std::cerr, "-");
        std::ifstream in(record, std::ios::binary);
        if (!in) {
            std::cerr << "calc-script: cannot open " << record << "\n";
            return 2;
        }
        return calc::script::Record(driver, in, std::cout, std::cerr, record);
    }

    if (gui) {
#ifdef CALC_SCRIPT_GUI
        return calc::script::RunGui(argc, argv, check, files);
#else
        return calc::script::HandOverToGui(argv);
#endif
    }
    calc::script::HeadlessDriver driver;
    if (check) return calc::script::CheckFiles(driver, files, std::cout);
    return calc::script::Interactive(driver, std::cin, std::cout);
}
