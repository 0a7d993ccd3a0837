#pragma once
// The one reader of the scenario vocabulary: a line of a .calc file as the action it asks for. calc-script's
// --check, --record and interactive mode, the fuzz tools and the huge-input tests all read lines here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keypad/key.h"

namespace calc::script {

enum class Verb { Window, Press, Click, Paste, Copy, Show, Expect };

struct Action {
    Verb verb = Verb::Show;
    Mode window = Mode::Standard;       // Window: the window to show
    std::vector<std::string> captions;  // Press: the key captions, in order ("Inv"/"Hyp" for the check boxes)
    int index = 0;                      // Click: a 16-bit index
    std::string what;                   // Expect: display, memory, paren, inv, hyp, locked, beeps, clipboard, tokens
    std::string text;                   // Paste: the text; Expect: the expected value
};

struct ScenarioLine {
    std::optional<Action> action;  // none for a blank line, a comment or a malformed line
    std::string error;             // why the line is malformed, "" when it is not
};

// Replaces the escapes \n \t \\ \s of a scenario argument.
std::string Unescape(std::string_view arg);

// Reads one line (a trailing carriage return is dropped): the command word, one space, the argument.
ScenarioLine ParseLine(std::string_view line);

}  // namespace calc::script
