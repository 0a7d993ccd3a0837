#include "keypad/keypad.h"

#include "bignum/heap.h"
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

}  // namespace

void Keypad::Press(Key key) {
    if (locked_ && key != Key::Clear) return Beep();
    const std::string error = TrapRunTimeErrors([&] { Handle(key); });
    if (!error.empty()) ShowError(error);
}

void Keypad::PressNoKey() {
    if (locked_) Beep();
}

void Keypad::SetDisplay(std::string text) {
    display_ = NormaliseDisplay(std::move(text));
    ReleaseSpareRoom(display_);
}

void Keypad::ShowError(std::string text) {
    locked_ = true;
    SetDisplay(std::move(text));
}

void Keypad::ResetEntry(bool newNumber) {
    display_ = "0";
    ReleaseSpareRoom(display_);
    newNumber_ = newNumber;
    point_ = false;
    locked_ = false;
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
    std::string text = display_;
    if (!text.empty()) text.pop_back();
    if (text.find('.') == std::string::npos) point_ = false;
    if (text.empty()) text = "0";
    SetDisplay(std::move(text));
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

}  // namespace calc
