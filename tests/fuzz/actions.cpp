#include "actions.h"

#include <memory>

#include "app/invariants.h"
#include "keypad/keypad_table.h"
#include "fuzz_support.h"
#include "record.h"

namespace calc::fuzz {

namespace {

char Hex(int v) { return "0123456789abcdef"[v & 15]; }

// "press CAPTION" for a key of the open keypad, "click N" for an index without one.
std::string KeyLine(const Calculator& calculator, int index) {
    const auto keys = KeyTable(calculator.CurrentMode());
    if (index >= 0 && static_cast<std::size_t>(index) < keys.size()) return std::string("press ") + keys[index].caption;
    return "click " + std::to_string(index);
}

// Edit > Paste of the operand bytes (Paste) or of the clipboard (PasteClipboard). False when the input ends here:
// Copy and paste again doubles a typed number each time, so a few hundred bytes of input could ask for billions
// of keys; the input ends where its pastes would replay more than the budget.
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
        if (!scientific) return std::string("# Paste in the standard window: nothing");
        std::string line = "paste " + script::EscapeArgument(platform.clipboard);
        if (!platform.clipboard.empty() && platform.clipboard.back() == '\r') {
            line = "# the pasted text ends in a carriage return, which a scenario line drops\n" + line;
        }
        return line;
    });
    calculator.PasteClipboard();
    return true;
}

}  // namespace

RunResult RunActions(const std::uint8_t* data, std::size_t size, std::vector<std::string>* lines) {
    RunResult result;
    // Writes the line only when a trace is wanted, so plain fuzzing does no string work.
    const auto trace = [lines](auto&& make) {
        if (lines) lines->push_back(make());
    };
    MemoryPlatform platform;
    auto calculator = std::make_unique<Calculator>(platform);
    calculator->Start();

    std::size_t pasteBudget = kPasteBudget;
    std::size_t pos = 0;
    while (pos < size) {
        const std::uint8_t op = data[pos++];
        const bool scientific = calculator->CurrentMode() == Mode::Scientific;
        if (op < 0xF0 || op >= 0xF7) {  // a click: a key, a 16-bit index or -1 .. -15
            int index = op % kKeyModulus;
            if (op == static_cast<std::uint8_t>(Op::ClickWide)) {
                const int lo = pos < size ? data[pos++] : 0;
                const int hi = pos < size ? data[pos++] : 0;
                index = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
            } else if (op > 0xE0 && op < 0xF0) {
                index = 0xE0 - op;
            }
            trace([&] { return KeyLine(*calculator, index); });
            calculator->PressIndex(index);
        } else if (op == static_cast<std::uint8_t>(Op::Inv) || op == static_cast<std::uint8_t>(Op::Hyp)) {
            const bool inv = op == static_cast<std::uint8_t>(Op::Inv);
            if (scientific) {
                ScientificKeypad& sci = calculator->Scientific();
                trace([&] { return std::string(inv ? "press Inv" : "press Hyp"); });
                inv ? sci.SetInverse(!sci.Inverse()) : sci.SetHyperbolic(!sci.Hyperbolic());
            } else {
                trace([&] { return std::string("# ") + (inv ? "Inv" : "Hyp") + " in the standard window: nothing"; });
            }
        } else if (op == static_cast<std::uint8_t>(Op::Standard)) {
            trace([] { return std::string("window standard"); });
            calculator->ShowMode(Mode::Standard);
        } else if (op == static_cast<std::uint8_t>(Op::Scientific)) {
            trace([] { return std::string("window scientific"); });
            calculator->ShowMode(Mode::Scientific);
        } else if (op == static_cast<std::uint8_t>(Op::Copy)) {
            trace([] { return std::string("copy"); });
            calculator->CopyDisplay();
        } else if (!Paste(op, data, size, pos, platform, *calculator, pasteBudget, trace)) {  // Paste, PasteClipboard
            break;
        }
        ++result.actions;
        if (SelfTestCorruption(op, *calculator)) {
            trace([&] {
                return "# self-test: state corrupted on purpose (opcode 0x" + std::string{Hex(op >> 4), Hex(op)} + ")";
            });
        }
        result.violation = CheckInvariants(*calculator);
        if (!result.violation.empty()) break;
    }
    return result;
}

void ActionWriter::Click(int index) {
    if (index >= 0 && index < 0xE0 && index < kKeyModulus) {
        bytes_.push_back(static_cast<char>(index));
    } else if (index <= -1 && index >= -15) {
        bytes_.push_back(static_cast<char>(0xE0 - index));
    } else {
        const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(index));
        bytes_.push_back(static_cast<char>(Op::ClickWide));
        bytes_.push_back(static_cast<char>(v & 0xFF));
        bytes_.push_back(static_cast<char>(v >> 8));
    }
}

void ActionWriter::Window(Mode mode) {
    bytes_.push_back(static_cast<char>(mode == Mode::Standard ? Op::Standard : Op::Scientific));
}

void ActionWriter::Paste(const std::string& text) {
    std::size_t pos = 0;
    do {
        const std::size_t n = std::min(text.size() - pos, kMaxPaste - 1);
        bytes_.push_back(static_cast<char>(Op::Paste));
        bytes_.push_back(static_cast<char>(n));
        bytes_.append(text, pos, n);
        pos += n;
    } while (pos < text.size());
}

}  // namespace calc::fuzz
