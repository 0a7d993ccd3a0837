#pragma once
// The byte code of the action fuzz target, and the runner that applies it to a fresh program while checking the
// state after every action.
// One action per opcode byte; some opcodes take operand bytes after them:
//   0x00..0xDF  click key (byte % 56): every key of both keypads and some indexes past the end of each
//   0xE0 lo hi  click the 16-bit index (lo | hi << 8), sign included
//   0xE1..0xEF  click -1 .. -15
//   0xF0        toggle Inv          0xF1  toggle Hyp
//   0xF2        View > standard     0xF3  View > scientific
//   0xF4        Edit > Copy
//   0xF5 n ...  Edit > Paste of the next (n % 64) bytes (fewer at the end of input)
//   0xF6        Edit > Paste of the clipboard (after a Copy: the display); all pastes of one input together
//               replay at most kPasteBudget bytes
//   0xF7..0xFF  click key (byte % 56), as the first range
// Inv and Hyp in the standard window and Paste there do nothing, as in the program.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/calculator.h"

namespace calc::fuzz {

inline constexpr int kKeyModulus = 56;
inline constexpr std::size_t kMaxPaste = 64;
// Characters all the pastes of one input may replay together; an input that asks for
// more ends at the paste that would exceed it.
inline constexpr std::size_t kPasteBudget = 1 << 16;

// The opcodes with operands or a meaning of their own, from 0xF0 on in the order above.
enum class Op : std::uint8_t { ClickWide = 0xE0, Inv = 0xF0, Hyp, Standard, Scientific, Copy, Paste, PasteClipboard };

struct RunResult {
    std::string violation;    // "" when every action left a consistent state
    std::size_t actions = 0;  // actions carried out (up to and including a violating one)
};

// Runs the byte code on a fresh program. When `lines` is given, each action is also
// written there as a scenario line, so a failing input can be replayed with
// calc-script. Stops at the first broken consistency rule.
RunResult RunActions(const std::uint8_t* data, std::size_t size, std::vector<std::string>* lines = nullptr);

// Builds byte code, for seeds: the canonical encoding of each action.
class ActionWriter {
public:
    void Click(int index);
    void Toggle(bool inv) { bytes_.push_back(static_cast<char>(inv ? Op::Inv : Op::Hyp)); }
    void Window(Mode mode);
    void Copy() { bytes_.push_back(static_cast<char>(Op::Copy)); }
    // Texts longer than one paste can carry are split over several pastes.
    void Paste(const std::string& text);
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace calc::fuzz
