// Helper of the fuzz targets.
//   fuzz_tool seeds OUTDIR SCENARIO...  seeds from scenario files: OUTDIR/fuzz_actions/ the actions of each file and
//       each paragraph, OUTDIR/fuzz_paste/ each pasted text
//   fuzz_tool decode INPUT              a fuzz_actions input as scenario lines (for calc-script --record/--check)
//   fuzz_tool random OUTDIR COUNT SEED  COUNT random action lists, the same for a SEED everywhere (agreement test)
//   fuzz_tool dict                      the fuzz_paste dictionary's full-width characters
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "actions.h"
#include "keypad/keypad_table.h"
#include "paste/filter.h"
#include "scenario_line.h"

namespace fs = std::filesystem;
using calc::Mode;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Writes the file named by `format` with the number n (seed-0001...).
void WriteFile(const fs::path& dir, const char* format, int n, const std::string& bytes) {
    char name[32];
    std::snprintf(name, sizeof name, format, n);
    std::ofstream(dir / name, std::ios::binary) << bytes;
}

// The index of the key with this caption in the keypad's table, or -1.
int IndexOf(Mode mode, const std::string& caption) {
    const auto table = calc::KeyTable(mode);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (caption == table[i].caption) return static_cast<int>(i);
    }
    return -1;
}

struct Seeds {
    std::set<std::string> actions, pastes;
};

// One scenario file: the whole file, and each paragraph (up to a blank line) started in the window open there.
void FromScenario(const std::string& path, Seeds& seeds) {
    std::istringstream in(ReadFile(path));
    Mode mode = Mode::Standard;
    std::string whole, para;
    auto endParagraph = [&] {
        if (!para.empty()) seeds.actions.insert(para);
        calc::fuzz::ActionWriter start;
        if (mode == Mode::Scientific) start.Window(mode);
        para = start.bytes();
    };
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) endParagraph();
        const std::optional<calc::script::Action> action = calc::script::ParseLine(line).action;
        if (!action) continue;
        using calc::script::Verb;
        if (action->verb == Verb::Paste) seeds.pastes.insert(action->text);
        calc::fuzz::ActionWriter w;
        if (action->verb == Verb::Window) w.Window(mode = action->window);
        if (action->verb == Verb::Click) w.Click(action->index);
        if (action->verb == Verb::Paste) w.Paste(action->text);
        if (action->verb == Verb::Copy) w.Copy();
        for (const std::string& caption : action->captions) {  // Press only
            if (caption == "Inv" || caption == "Hyp") {
                w.Toggle(caption == "Inv");
            } else if (const int index = IndexOf(mode, caption); index >= 0) {
                w.Click(index);
            }
        }
        whole += w.bytes();
        para += w.bytes();
    }
    endParagraph();
    seeds.actions.insert(whole);
}

int WriteSeeds(const fs::path& outdir, const std::vector<std::string>& files) {
    Seeds seeds;
    for (const std::string& f : files) FromScenario(f, seeds);
    for (const auto& [name, set] :
         {std::pair{"fuzz_actions", &seeds.actions}, std::pair{"fuzz_paste", &seeds.pastes}}) {
        const fs::path dir = outdir / name;
        fs::create_directories(dir);
        int n = 0;
        for (const std::string& s : *set) WriteFile(dir, "seed-%04d", n++, s);
        std::printf("%s: %d seeds\n", name, n);
    }
    return 0;
}

int Decode(const std::string& path) {
    const std::string bytes = ReadFile(path);
    std::vector<std::string> lines;
    const auto r = calc::fuzz::RunActions(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &lines);
    for (const std::string& l : lines) std::printf("%s\n", l.c_str());
    if (!r.violation.empty()) std::printf("# broken here: %s\n", r.violation.c_str());
    return 0;
}

// Lists that stay quick in the real windows: no factorial (a few typed digits and x^2 reach a million) and no
// paste longer than a short expression (Copy and Paste again doubles a number each time).
bool QuickInWindows(const std::vector<std::string>& lines) {
    return std::none_of(lines.begin(), lines.end(), [](const std::string& l) {
        return l == "press n!" || (l.rfind("paste ", 0) == 0 && (l.size() > 80 || l.find('!') != std::string::npos));
    });
}

int WriteRandomLists(const fs::path& outdir, int count, std::uint32_t seed) {
    std::mt19937 rng(seed);  // fully specified: the same lists on every machine
    fs::create_directories(outdir);
    for (int n = 0; n < count;) {
        std::string bytes(5 + rng() % 56, '\0');
        for (char& b : bytes) b = static_cast<char>(rng() & 0xFF);
        std::vector<std::string> lines;
        calc::fuzz::RunActions(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &lines);
        if (!QuickInWindows(lines)) continue;
        std::string text;
        for (const std::string& l : lines) text += l + "\n";
        WriteFile(outdir, "actions-%03d.txt", n++, text);
    }
    return 0;
}

// The full-width form (U+FF01..U+FF5E, three bytes of UTF-8) of each character the paste filter reads.
int WriteFullWidthDict() {
    for (char c = 33; c < 127; ++c) {
        if (!calc::IsNumberChar(c) && !calc::IsOperatorChar(c)) continue;
        const unsigned code = 0xFF00u + static_cast<unsigned>(c) - 0x20u;
        std::printf("fw_%02x=\"\\x%02X\\x%02X\\x%02X\"\n", static_cast<unsigned>(c), 0xE0u | (code >> 12),
                    0x80u | ((code >> 6) & 0x3Fu), 0x80u | (code & 0x3Fu));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "seeds") return WriteSeeds(args[1], {args.begin() + 2, args.end()});
    if (args.size() == 2 && args[0] == "decode") return Decode(args[1]);
    if (args.size() == 1 && args[0] == "dict") return WriteFullWidthDict();
    if (args.size() == 4 && args[0] == "random") {
        return WriteRandomLists(args[1], std::stoi(args[2]), static_cast<std::uint32_t>(std::stoul(args[3])));
    }
    std::fprintf(stderr,
                 "usage: fuzz_tool seeds OUTDIR SCENARIO... | decode INPUT | random OUTDIR COUNT SEED | dict\n");
    return 2;
}
