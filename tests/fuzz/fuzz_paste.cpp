// Fuzz target: arbitrary bytes pasted into a fresh program's scientific window.
// The state must be consistent after the paste, after "=" and after pasting the
// copied display back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/invariants.h"
#include "fuzz_support.h"
#include "record.h"

namespace {

// False when the state broke a rule that CALC_FUZZ_KNOWN lists: the input is dropped.
bool Check(const calc::Application& app, const std::vector<std::string>& scenario) {
    const std::string violation = calc::CheckInvariants(app);
    if (violation.empty()) return true;
    if (calc::fuzz::KnownIssue(violation)) return false;
    calc::fuzz::Fail(violation + " (after \"" + scenario.back().substr(0, 40) + "\")", scenario);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> scenario{"window scientific", "paste " + calc::script::EscapeArgument(text)};
    calc::MemoryPlatform platform;
    calc::Application app(platform);
    app.Main();
    app.mnuScience_Click();

    platform.clipboard = text;
    app.mnuPaste_Click();
    if (!Check(app, scenario)) return -1;

    app.Click(19);
    scenario.push_back("press =");
    if (!Check(app, scenario)) return -1;

    app.mnuCopy_Click();
    scenario.push_back("copy");
    scenario.push_back("paste " + calc::script::EscapeArgument(platform.clipboard));
    app.mnuPaste_Click();
    if (!Check(app, scenario)) return -1;
    return 0;
}
