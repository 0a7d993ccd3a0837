#pragma once
// Scenario text as editors write it, line by line, and never more of a line than a bound: a leading UTF-8 byte
// order mark is skipped, and a line that does not end within its bound (a paste's data may be longer than a
// command) ends the reading.
#include <cstddef>
#include <iosfwd>
#include <string>

namespace calc::script {

inline constexpr std::size_t kCommandLineBytes = std::size_t{1} << 20;  // 1 MiB
inline constexpr std::size_t kPasteLineBytes = std::size_t{256} << 20;  // 256 MiB: a clipboard of 268 million digits

class LineReader {
public:
    enum class Got { Line, End, TooLong };

    explicit LineReader(std::istream& in) : in_(in) {}
    // The next line, without its newline. TooLong when it goes on past its bound (no more is read).
    Got Next(std::string& line);
    // The number of the line last read.
    int Number() const { return number_; }
    // What a TooLong line is told: its bound.
    static std::string TooLongMessage();

private:
    std::istream& in_;
    int number_ = 0;
};

}  // namespace calc::script
