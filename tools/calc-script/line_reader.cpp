#include "line_reader.h"

#include <algorithm>
#include <istream>

#include "scenario_line.h"

namespace calc::script {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Whether the start of a line is a paste command, whose data may fill a longer line.
bool IsPaste(std::string_view start) {
    const std::string_view line = TrimBlanks(start);
    const std::string_view word = Name(Verb::Paste);
    return line.substr(0, word.size()) == word && line.size() > word.size() && line[word.size()] == ' ';
}

}  // namespace

LineReader::Got LineReader::Next(std::string& line) {
    line.clear();
    ++number_;
    std::size_t bound = kCommandLineBytes;
    char chunk[1 << 16];
    for (bool first = true;; first = false) {
        in_.getline(chunk, sizeof chunk);  // up to the newline (taken, not stored), the end, or a chunk's worth
        const bool newline = !in_.fail() && !in_.eof();
        const bool full = in_.fail() && !in_.eof() && !in_.bad();
        const std::size_t got = static_cast<std::size_t>(in_.gcount()) - (newline ? 1 : 0);
        if (line.capacity() - line.size() < got) {  // doubled, or at once to the bound (never past it, never twice)
            const std::size_t capacity = line.capacity();
            line.reserve(std::max(line.size() + got, 4 * capacity > bound ? bound + sizeof chunk : 2 * capacity));
        }
        line.append(chunk, got);
        if (first && number_ == 1 && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
        if (line.size() > bound && bound == kCommandLineBytes && IsPaste(line)) bound = kPasteLineBytes;
        if (line.size() > bound) return Got::TooLong;
        if (!full) return newline || !line.empty() ? Got::Line : Got::End;
        in_.clear();  // a full chunk: the line goes on
    }
}

std::string LineReader::TooLongMessage() {
    return "line longer than " + std::to_string(kCommandLineBytes >> 20) + " MiB (" + std::string(Name(Verb::Paste)) +
           " data: " + std::to_string(kPasteLineBytes >> 20) + " MiB); nothing more is read";
}

}  // namespace calc::script
