// Fuzz target: arbitrary bytes pasted into a fresh program's scientific window. The state must be consistent after
// the paste, after "=" and after pasting the copied display back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/invariants.h"
#include "fuzz_support.h"
#include "record.h"

namespace {

// False when the state broke a rule that CALC_FUZZ_KNOWN lists: the input is dropped.
bool Check(const calc::Calculator& calculator, const std::vector<std::string>& scenario) {
    const std::string violation = calc::CheckInvariants(calculator);
    if (violation.empty()) return true;
    if (calc::fuzz::KnownIssue(violation)) return false;
    calc::fuzz::Fail(violation + " (after \"" + scenario.back().substr(0, 40) + "\")", scenario);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> scenario{"window scientific", "paste " + calc::script::EscapeArgument(text)};
    calc::MemoryPlatform platform;
    calc::Calculator calculator(platform);
    calculator.Start();
    calculator.ShowMode(calc::Mode::Scientific);

    platform.clipboard = text;
    calculator.PasteClipboard();
    if (!Check(calculator, scenario)) return -1;

    calculator.Press(calc::Key::Equals);
    scenario.push_back("press =");
    if (!Check(calculator, scenario)) return -1;

    calculator.CopyDisplay();
    scenario.push_back("copy");
    scenario.push_back("paste " + calc::script::EscapeArgument(platform.clipboard));
    calculator.PasteClipboard();
    if (!Check(calculator, scenario)) return -1;
    return 0;
}
