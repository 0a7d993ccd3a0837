// Writes random action lists for the agreement test: COUNT files OUTDIR/actions-NNN.txt,
// the same for the same SEED on every machine (std::mt19937 is fully specified; no
// distribution classes, whose results differ between libraries).
//
// Each list starts at the program's launch state and mixes: key presses by caption of
// the open window, Inv and Hyp, View switches, Copy, short pastes, and clicks of
// indexes with and without a key. What would make the real windows slow is avoided:
// pastes are a few characters without "!", and "n!" is only pressed right after "C"
// and a number of at most three digits.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/keypads.h"

namespace {

using calc::WindowKind;

class Generator {
public:
    explicit Generator(std::uint32_t seed) : rng_(seed) {}

    std::string List() {
        window_ = WindowKind::Standard;
        std::string out;
        const int actions = 5 + Below(56);
        for (int i = 0; i < actions; ++i) out += Action() + "\n";
        return out;
    }

private:
    int Below(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

    std::string Caption() {
        const auto keys = calc::Keypad(window_);
        for (;;) {
            const std::string c = keys[Below(static_cast<int>(keys.size()))].caption;
            if (c != "n!") return c;
        }
    }

    std::string Action() {
        const bool sci = window_ == WindowKind::Scientific;
        const int roll = Below(100);
        if (roll < 5) {
            window_ = sci ? WindowKind::Standard : WindowKind::Scientific;
            return sci ? "window standard" : "window scientific";
        }
        if (roll < 10) return "copy";
        if (roll < 15) return "click " + std::to_string(ClickIndex());
        if (sci && roll < 23) return "paste " + PasteText();
        if (sci && roll < 26) return "press C " + Digits(1 + Below(3)) + " n!";
        std::string line = "press";
        const int keys = 1 + Below(6);
        for (int k = 0; k < keys; ++k) {
            if (sci && Chance(10)) line += Chance(60) ? " Inv" : " Hyp";
            else if (Chance(40)) line += " " + std::string(1, static_cast<char>('0' + Below(10)));
            else line += " " + Caption();
        }
        return line;
    }

    std::string Digits(int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += (i ? " " : "") + std::string(1, static_cast<char>('0' + Below(10)));
        return out;
    }

    int ClickIndex() {
        static const int kOdd[] = {-32768, -1, 39, 40, 27, 99, 32767};
        if (Chance(70)) return Below(45);
        return kOdd[Below(7)];
    }

    // A few characters from what the paste filter reads, full-width forms and
    // characters it drops; spaces only inside, escaped as a scenario needs.
    std::string PasteText() {
        static const std::vector<std::string> kPieces = {
            "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "+", "-", "*", "/", "(", ")",
            "=", "%", "y", "n", "l", "r", "s", "o", "t", "@", "#", ";", "E", "x", "a", " ",
            "\\t", "\\n", "\xEF\xBC\x91", "\xEF\xBC\x8B", "\xEF\xBC\x88", "\xE4\xB8\x80"};
        std::string out;
        const int n = Below(9);
        for (int i = 0; i < n; ++i) {
            std::string piece = kPieces[Below(static_cast<int>(kPieces.size()))];
            if (piece == " " && (i == 0 || i == n - 1)) piece = "\\s";
            out += piece;
        }
        return out;
    }

    std::mt19937 rng_;
    WindowKind window_ = WindowKind::Standard;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: gen_actions OUTDIR COUNT SEED\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const int count = std::stoi(argv[2]);
    Generator gen(static_cast<std::uint32_t>(std::stoul(argv[3])));
    std::filesystem::create_directories(dir);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "actions-%03d.txt", i);
        std::ofstream(dir / name, std::ios::binary) << gen.List();
    }
    return 0;
}
