// Helper of the fuzz targets.
//   fuzz_tool decode INPUT              a fuzz_actions input as scenario lines (for calc-script --record/--check)
//   fuzz_tool random OUTDIR COUNT SEED  COUNT random action lists, the same for a SEED everywhere (agreement test)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "actions.h"
#include "scenario_line.h"

namespace fs = std::filesystem;

namespace {

int Decode(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::string> lines;
    const auto r = calc::fuzz::RunActions(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), &lines);
    for (const std::string& l : lines) std::printf("%s\n", l.c_str());
    if (!r.violation.empty()) std::printf("# broken here: %s\n", r.violation.c_str());
    return 0;
}

// Lists that stay quick in the real windows: no factorial (a few typed digits and x^2 reach a million) and no
// paste longer than a short expression (Copy and Paste again doubles a number each time).
bool QuickInWindows(const std::vector<std::string>& lines) {
    using calc::script::Verb;
    return std::none_of(lines.begin(), lines.end(), [](const std::string& l) {
        const std::optional<calc::script::Action> a = calc::script::ParseLine(l).action;
        if (!a) return false;  // a comment
        return (a->verb == Verb::Press && a->captions == std::vector<std::string>{"n!"}) ||
               (a->verb == Verb::Paste && (l.size() > 80 || a->text.find('!') != std::string::npos));
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
        char name[32];
        std::snprintf(name, sizeof name, "actions-%03d.txt", n++);
        std::ofstream(outdir / name) << text;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "decode") return Decode(args[1]);
    if (args.size() == 4 && args[0] == "random") {
        return WriteRandomLists(args[1], std::stoi(args[2]), static_cast<std::uint32_t>(std::stoul(args[3])));
    }
    std::fprintf(stderr, "usage: fuzz_tool decode INPUT | random OUTDIR COUNT SEED\n");
    return 2;
}
