#include "actions.h"

#include <memory>

#include "app/invariants.h"
#include "keypad/keypad_table.h"
#include "fuzz_support.h"
#include "scenario_line.h"

namespace calc::fuzz {

namespace {

using script::Action;
using script::WriteLine;

// The press of a key of the open keypad, or the click of an index without one.
std::string KeyLine(const Calculator& calculator, int index) {
    const auto keys = KeyTable(calculator.CurrentMode());
    if (index >= 0 && static_cast<std::size_t>(index) < keys.size())
        return WriteLine(Action::Press(keys[index].caption));
    return WriteLine(Action::Click(index));
}

// Edit > Paste of the operand bytes (Paste) or of the clipboard (PasteClipboard). False when the input ends here,
// its pastes having replayed the budget.
template <typename Trace>
bool Paste(std::uint8_t op, const std::uint8_t* data, std::size_t size, std::size_t& pos, MemoryPlatform& platform,
           Calculator& calculator, std::size_t& pasteBudget, const Trace& trace) {
    if (op == static_cast<std::uint8_t>(Op::Paste)) {
        std::size_t n = pos < size ? data[pos++] % kMaxPaste : 0;
        if (n > size - pos) n = size - pos;
        platform.clipboard.assign(reinterpret_cast<const char*>(data + pos), n);
        pos += n;
    }
    const bool scientific = calculator.CurrentMode() == Mode::Scientific;
    if (scientific) {
        if (platform.clipboard.size() > pasteBudget) return false;
        pasteBudget -= platform.clipboard.size();
    }
    trace([&] {
        return scientific ? WriteLine(Action::Paste(platform.clipboard)) : "# Paste in the standard window: nothing";
    });
    calculator.PasteClipboard();
    return true;
}

}  // namespace

RunResult RunActions(const std::uint8_t* data, std::size_t size, std::vector<std::string>* lines) {
    RunResult result;
    const auto trace = [lines](auto&& make) {  // no string work unless a trace is wanted
        if (lines) lines->push_back(make());
    };
    MemoryPlatform platform;
    auto calculator = std::make_unique<Calculator>(platform);
    calculator->Start();
    std::size_t pasteBudget = kPasteBudget;
    for (std::size_t pos = 0; pos < size;) {
        const std::uint8_t op = data[pos++];
        const auto is = [op](Op o) { return op == static_cast<std::uint8_t>(o); };
        if (op < 0xF0 || op >= 0xF7) {  // a click: a key, a 16-bit index or -1 .. -15
            int index = op % kKeyModulus;
            if (is(Op::ClickWide)) {
                const int lo = pos < size ? data[pos++] : 0;
                const int hi = pos < size ? data[pos++] : 0;
                index = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
            } else if (op > 0xE0 && op < 0xF0) {
                index = 0xE0 - op;
            }
            trace([&] { return KeyLine(*calculator, index); });
            calculator->PressIndex(index);
        } else if (is(Op::Inv) || is(Op::Hyp)) {
            const char* name = is(Op::Inv) ? "Inv" : "Hyp";
            if (calculator->ToggleModifier(is(Op::Inv) ? ModifierBox::Inverse : ModifierBox::Hyperbolic)) {
                trace([&] { return WriteLine(Action::Press(name)); });
            } else {
                trace([&] { return std::string("# ") + name + " in the standard window: nothing"; });
            }
        } else if (is(Op::Standard) || is(Op::Scientific)) {
            const Mode mode = is(Op::Standard) ? Mode::Standard : Mode::Scientific;
            trace([&] { return WriteLine(Action::Window(mode)); });
            calculator->ShowMode(mode);
        } else if (is(Op::Copy)) {
            trace([] { return WriteLine(Action::Of(script::Verb::Copy)); });
            calculator->CopyDisplay();
        } else if (!Paste(op, data, size, pos, platform, *calculator, pasteBudget, trace)) {  // Paste, PasteClipboard
            break;
        }
        ++result.actions;
        if (SelfTestCorruption(op, *calculator)) {
            trace([] { return std::string("# self-test: state corrupted on purpose (opcode 0xff)"); });
        }
        result.violation = CheckInvariants(*calculator);
        if (!result.violation.empty()) break;
    }
    return result;
}

}  // namespace calc::fuzz
