#include "gui_handover.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace calc::script {

int HandOverToGui(char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        std::cerr << "calc-script: cannot tell where it is installed (/proc/self/exe): " << error.message() << "\n";
        return 2;
    }
    const std::string beside = self.parent_path() / "calc-script-gui";
    const std::string installed = (self.parent_path() / "../libexec/calculator/calc-script-gui").lexically_normal();
    for (const std::string& path : {beside, installed}) {
        argv[0] = const_cast<char*>(path.c_str());
        execv(path.c_str(), argv);
        if (errno != ENOENT) {
            std::cerr << "calc-script: cannot start " << path << ": " << std::strerror(errno) << "\n";
            return 2;
        }
    }
#ifdef CALC_SCRIPT_GUI_COMPANION
    std::cerr << "calc-script: --gui runs calc-script-gui, which is neither at " << beside << " nor at " << installed
              << "\n";
#else
    // A build without the windows makes no calc-script-gui (an installed one would still serve).
    std::cerr << "calc-script: built without the Qt windows; --gui is not available\n";
#endif
    return 2;
}

}  // namespace calc::script
