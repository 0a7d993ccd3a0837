#pragma once
// The byte code of the action fuzz target: one action per opcode byte, some with operand bytes after them.
//   0x00..0xDF, 0xF7..0xFF  click key (byte % 56): every key of both keypads and some indexes past their ends
//   0xE0 lo hi  click the 16-bit index (lo | hi << 8), sign included      0xE1..0xEF  click -1 .. -15
//   0xF0/0xF1   toggle Inv/Hyp      0xF2/0xF3  View > standard/scientific      0xF4  Edit > Copy
//   0xF5 n ...  Edit > Paste of the next (n % 64) bytes      0xF6  Edit > Paste of the clipboard
// All pastes of one input replay at most kPasteBudget bytes. Inv, Hyp and Paste do nothing in the standard window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/calculator.h"

namespace calc::fuzz {

inline constexpr int kKeyModulus = 56;
inline constexpr std::size_t kMaxPaste = 64;
// Copy and paste again doubles a typed number each time: an input that asks for more ends at that paste.
inline constexpr std::size_t kPasteBudget = 1 << 16;

enum class Op : std::uint8_t { ClickWide = 0xE0, Inv = 0xF0, Hyp, Standard, Scientific, Copy, Paste, PasteClipboard };

struct RunResult {
    std::string violation;    // "" when every action left a consistent state
    std::size_t actions = 0;  // actions carried out (up to and including a violating one)
};

// Runs the byte code on a fresh program, stopping at the first broken consistency rule; with `lines`, also writes
// each action as a scenario line, so that calc-script replays a failing input.
RunResult RunActions(const std::uint8_t* data, std::size_t size, std::vector<std::string>* lines = nullptr);

}  // namespace calc::fuzz
