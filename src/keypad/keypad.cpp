#include "keypad/keypad.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "work/heap.h"
#include "engine/errors.h"
#include "engine/value.h"

namespace calc {

namespace {

// A display that held a huge number gives that memory back once it holds a short text,
// and with it what the number's work left freed in the heap.
void ReleaseSpareRoom(std::string& text) {
    constexpr std::size_t kSpare = 4096, kHuge = std::size_t{1} << 20;
    if (text.capacity() <= 2 * text.size() + kSpare) return;
    const bool huge = text.capacity() >= kHuge;
    std::string(text).swap(text);
    if (huge) TrimHeap();
}

bool IsErrorText(std::string_view s) {
    const std::string_view prefix = kErrorPrefix;
    const std::string_view suffix = kErrorSuffix;
    return s.size() >= prefix.size() + suffix.size() && s.substr(0, prefix.size()) == prefix &&
           s.substr(s.size() - suffix.size()) == suffix;
}

// Whether display[from..] continues a text that reads as a number up to `from`, with
// its exponent's "E" at `exponentAt` (npos: none yet), which this updates: an optional
// leading "-", digits and points (never first), one "E", a sign right after it.
bool ReadsAsNumber(std::string_view s, std::size_t from, std::size_t& exponentAt) {
    constexpr std::size_t kNone = std::string_view::npos;
    for (std::size_t i = from; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') continue;
        if (c == '.' && i > 0) continue;
        if (c == '-' && i == 0) continue;
        if (c == 'E' && exponentAt == kNone) {
            exponentAt = i;
            continue;
        }
        if ((c == '+' || c == '-') && exponentAt != kNone && i == exponentAt + 1) continue;
        return false;
    }
    return true;
}

}  // namespace

bool IsDisplayNumber(std::string_view text) {
    std::size_t exponentAt = std::string_view::npos;
    return !text.empty() && ReadsAsNumber(text, 0, exponentAt);
}

void Keypad::Reload() {
    Clear();
    memoryIndicator_.clear();
}

void Keypad::Press(Key key) {
    if (locked_ && key != Key::Clear) return Beep();
    if (!OnKeypad(mode_, key)) return;
    Trap([&] {
        if (!Type(key)) Handle(key);
    });
}

void Keypad::Trap(const std::function<void()>& work) {
    if (std::string error = TrapRuntimeErrors(work); !error.empty()) ShowError(std::move(error));
}

void Keypad::PressNoKey() {
    if (locked_) Beep();
}

void Keypad::SetDisplay(std::string text) {
    display_ = NormaliseDisplay(std::move(text));
    checked_ = {};
    ReleaseSpareRoom(display_);
}

void Keypad::ShowError(std::string text) {
    locked_ = true;
    SetDisplay(std::move(text));
}

void Keypad::ResetEntry(bool newNumber) {
    SetDisplay("0");
    newNumber_ = newNumber;
    point_ = false;
    locked_ = false;
}

bool Keypad::Type(Key key) {
    if (const std::optional<int> digit = DigitOf(key)) {
        BeginOperand();
        TypeDigit(*digit);
    } else if (key == Key::Point) {
        BeginOperand();
        TypePoint();
    } else if (key == Key::ClearEntry) {
        BeginOperand();
        ClearEntry();
    } else if (key == Key::BackSpace) {
        EraseLast();
    } else {
        return false;
    }
    return true;
}

void Keypad::TypeDigit(int digit) {
    const char d = static_cast<char>('0' + digit);
    if (newNumber_) {
        SetDisplay(std::string(1, d));
        newNumber_ = false;
    } else if (display_ == "0") {
        SetDisplay(std::string(1, d));
    } else {
        display_.push_back(d);  // appending a digit never makes the text start with "."
    }
}

void Keypad::TypePoint() {
    if (point_) {
        Beep();
    } else if (newNumber_) {
        SetDisplay("0.");
        newNumber_ = false;
    } else {
        SetDisplay(display_ + ".");
    }
    point_ = true;
}

void Keypad::EraseLast() {
    if (newNumber_) return Beep();
    // In place: the rest of a long number is neither copied nor read again.
    if (!display_.empty()) display_.pop_back();
    if (point_ && display_.find('.') == std::string::npos) point_ = false;
    if (display_.empty()) return SetDisplay("0");
    checked_.length = std::min(checked_.length, display_.size());
    if (checked_.exponentAt >= display_.size()) checked_.exponentAt = std::string::npos;
}

void Keypad::ClearEntry() {
    SetDisplay("0");
    newNumber_ = false;
    point_ = false;
}

void Keypad::SetMemory(double value) {
    memory_ = value;
    memoryIndicator_ = memory_ != 0 ? "M" : "";
}

double Keypad::MemoryAfter(Key storeOrAdd, double value) const {
    return storeOrAdd == Key::MemoryStore ? value : CheckedAdd(memory_, value);
}

void Keypad::EndEntry() {
    newNumber_ = true;
    point_ = false;
}

// ---- consistency ----------------------------------------------------------------

std::string Keypad::CheckConsistency() const {
    if (!std::isfinite(memory_)) return "a memory is not finite";
    if (!memoryIndicator_.empty() && memoryIndicator_ != "M") return "bad memory indicator";
    if (newNumber_ && point_) return "point flag set in the new-number state";
    std::string wrong = CheckDisplay();
    return wrong.empty() ? CheckOwnRules() : wrong;
}

// The display is an error text exactly while the keypad is locked, and otherwise empty
// or a number as typing and results leave it: digits and points, an optional leading
// "-", an exponent that typing or BackSpace may have left incomplete, a factorial's
// digits. Never a letter but "E", never a thousands separator, never a leading ".".
std::string Keypad::CheckDisplay() const {
    const bool error = IsErrorText(display_);
    if (error != locked_) return locked_ ? "locked without an error text" : "an error text without the lock";
    if (error) return {};
    std::size_t exponentAt = checked_.exponentAt;
    if (!ReadsAsNumber(display_, checked_.length, exponentAt)) return "display is no number: " + display_.substr(0, 60);
    checked_ = {display_.size(), exponentAt};
    return {};
}

#ifdef CALC_SELF_TEST_HOOKS
bool Keypad::BreakRule(int rule) {
    if (rule >= kSharedRules) return BreakOwnRule(rule - kSharedRules);
    switch (rule) {
        case 0: memory_ = std::nan(""); break;
        case 1: memoryIndicator_ = "MM"; break;
        case 2: newNumber_ = point_ = true; break;
        case 3: locked_ = true; break;
        case 4: SetDisplay("1,5"); break;
        case 5:
            display_ = ".5";
            checked_ = {};
            break;
        default: display_ += "x"; break;  // appended past what was checked
    }
    return true;
}
#endif

}  // namespace calc
