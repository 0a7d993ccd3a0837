#pragma once
// The scenario language: its commands and expectations (each word spelled once, in scenario_line.cpp), the parser
// of one line that every reader uses (--check, --record, interactive mode, the fuzz tools, the huge-input tests)
// and the writer that turns an action back into a line that parses to the same action (--record, the fuzz tools).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keypad/key.h"

namespace calc::script {

enum class Verb { Window, Press, Click, Paste, Copy, Show, Expect };
enum class Expectation { Display, Memory, Paren, Inv, Hyp, Locked, Beeps, Clipboard, Tokens };

// The word of a command, an expectation, a window in the scenario language.
std::string_view Name(Verb verb);
std::string_view Name(Expectation what);
std::string_view Name(Mode window);

// What `expect locked` and `show` say for a locked keypad and for one that is not.
std::string_view LockedWord(bool locked);

struct Action {
    Verb verb = Verb::Show;
    Mode window = Mode::Standard;             // Window: the window to show
    std::vector<std::string> captions;        // Press: the key captions, in order ("Inv"/"Hyp" for the check boxes)
    int index = 0;                            // Click: a 16-bit index
    Expectation what = Expectation::Display;  // Expect: what is compared
    std::string text;                         // Paste: the text; Expect: the expected value

    static Action Of(Verb verb);
    static Action Window(Mode mode);
    static Action Press(std::string caption);
    static Action Click(int index);
    static Action Paste(std::string text);
    static Action Expect(Expectation what, std::string value);
    bool operator==(const Action&) const = default;
};

struct ScenarioLine {
    std::optional<Action> action;  // none for a blank line, a comment or a malformed line
    std::string error;             // why the line is malformed, "" when it is not
};

// The line without the blanks (space, tab, carriage return, vertical tab, form feed) at either end.
std::string_view TrimBlanks(std::string_view line);

// Reads one line: blanks at either end are ignored; the command word, one space, the argument, in which
// \n \t \r \s \\ and \u{HEX} stand for newline, tab, carriage return, space, backslash and a Unicode character.
ScenarioLine ParseLine(std::string_view line);

// The line that ParseLine reads as `action` (for Press: captions without spaces).
std::string WriteLine(const Action& action);

// A scenario argument that reads back as `text`: backslash, line ends, tab and the characters a message would
// show escaped are written as escapes, and a space at either end as \s, so that no editor can lose it. Bytes
// that are not UTF-8 are kept as they are.
std::string EscapeArgument(std::string_view text);

}  // namespace calc::script
