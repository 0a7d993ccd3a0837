// Fuzz target: bytes decoded into actions on both windows (actions.h), the state checked after each one. Built
// twice: fuzz_actions, and fuzz_selftest (CALC_FUZZ_SELFTEST), where opcode 0xFF corrupts the state on purpose.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "actions.h"
#include "fuzz_support.h"

#ifdef CALC_FUZZ_SELFTEST
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    calc::fuzz::EnableSelfTest();
    return 0;
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const calc::fuzz::RunResult r = calc::fuzz::RunActions(data, size);
    if (!r.violation.empty()) {
        // Run again to write the actions as scenario lines for the report.
        std::vector<std::string> lines;
        calc::fuzz::RunActions(data, size, &lines);
        calc::fuzz::Fail(r.violation + " (after action " + std::to_string(r.actions) + ")", lines);
    }
    return 0;
}
