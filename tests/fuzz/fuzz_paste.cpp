// Fuzz target: arbitrary bytes pasted into a fresh program's scientific window. The state must be consistent after
// the paste, after "=" and after pasting the copied display back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/invariants.h"
#include "fuzz_support.h"
#include "scenario_line.h"

namespace {

// Adds the lines of the step just taken; a broken rule fails the target with them.
void Check(const calc::Calculator& calculator, std::vector<std::string>& scenario, std::vector<std::string> step) {
    scenario.insert(scenario.end(), step.begin(), step.end());
    const std::string violation = calc::CheckInvariants(calculator);
    if (!violation.empty())
        calc::fuzz::Fail(violation + " (after \"" + scenario.back().substr(0, 40) + "\")", scenario);
}

}  // namespace

using calc::script::Action;
using calc::script::WriteLine;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    calc::MemoryPlatform platform;
    calc::Calculator calculator(platform);
    calculator.Start();
    calculator.ShowMode(calc::Mode::Scientific);
    std::vector<std::string> scenario{WriteLine(Action::Window(calc::Mode::Scientific))};
    platform.clipboard.assign(reinterpret_cast<const char*>(data), size);
    calculator.PasteClipboard();
    Check(calculator, scenario, {WriteLine(Action::Paste(platform.clipboard))});
    calculator.Press(calc::Key::Equals);
    Check(calculator, scenario, {WriteLine(Action::Press("="))});
    calculator.CopyDisplay();
    calculator.PasteClipboard();
    Check(calculator, scenario,
          {WriteLine(Action::Of(calc::script::Verb::Copy)), WriteLine(Action::Paste(platform.clipboard))});
    return 0;
}
