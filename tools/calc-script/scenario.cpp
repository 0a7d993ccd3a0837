#include "scenario.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>

#include "messages.h"

namespace calc::script {

namespace {

CommandResult Fail(std::string message) { return {false, std::move(message), true, false}; }

// A command carried out; `shown` when it wrote the state.
CommandResult Done(bool shown = false) { return {true, {}, true, shown}; }

CommandResult Compare(const std::string& what, const std::string& expected, const std::string& found) {
    if (expected == found) return Done();
    return Fail(what + " " + Quote(expected) + ", got " + Quote(found));
}

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

void WriteShow(std::ostream& out, const Snapshot& s) {
    out << "display: " << s.display << "\nmemory: " << s.memory << "\nparen: " << s.paren << "\ninv: " << s.inv
        << "\nhyp: " << s.hyp << "\nlocked: " << (s.locked ? "yes" : "no") << "\ntokens: " << s.tokens << "\n";
}

CommandResult ScenarioRunner::Show() {
    try {
        WriteShow(shown_, driver_.Read());
        return Done(true);
    } catch (const std::bad_alloc&) {
        return Fail("show: out of memory (内存不足) for a copy of the state");
    }
}

void ScenarioRunner::Restart() {
    driver_.Start();
    beepMark_ = 0;
}

CommandResult ScenarioRunner::RunLine(std::string line) {
    ScenarioLine parsed = ParseLine(line);
    std::string().swap(line);  // the action holds what it needs: a huge pasted line is not kept twice
    if (!parsed.error.empty()) return Fail(parsed.error);
    if (!parsed.action) return {};
    CommandResult r = Run(std::move(*parsed.action));
    if (r.ok) {
        const std::string violation = driver_.TakeViolation();
        if (!violation.empty()) return Fail("inconsistent state: " + violation);
    }
    return r;
}

CommandResult ScenarioRunner::Run(Action a) {
    switch (a.verb) {
        case Verb::Window: driver_.ShowMode(a.window); break;
        case Verb::Press: return Press(a.captions);
        case Verb::Click: driver_.PressIndex(a.index); break;
        case Verb::Paste:
            if (driver_.CurrentMode() != Mode::Scientific) return Fail("paste: the standard window has no Paste");
            driver_.Paste(std::move(a.text));
            break;
        case Verb::Copy: driver_.Copy(); break;
        case Verb::Show: return Show();
        case Verb::Expect: return Expect(a);
    }
    return Done();
}

CommandResult ScenarioRunner::Press(const std::vector<std::string>& captions) {
    for (const std::string& caption : captions) {
        if (!driver_.Press(caption)) {
            const bool scientific = driver_.CurrentMode() == Mode::Scientific;
            return Fail("unknown caption " + Quote(caption) + " in the " + (scientific ? "scientific" : "standard") +
                        " window");
        }
    }
    return Done();
}

CommandResult ScenarioRunner::Expect(const Action& a) {
    const std::string& what = a.what;
    if (what == "beeps") {
        const long now = driver_.Beeps();
        const long since = now - beepMark_;
        beepMark_ = now;
        return Compare("beeps", a.text, std::to_string(since));
    }
    if (what == "clipboard") return Compare("clipboard", a.text, driver_.Clipboard());
    const Snapshot s = driver_.Read();
    if (what == "display") return Compare("display", a.text, s.display);
    if (what == "memory") return Compare("memory", a.text, s.memory);
    if (what == "locked") return Compare("locked", a.text, s.locked ? "yes" : "no");
    if (driver_.CurrentMode() != Mode::Scientific) return Fail("expect " + what + " needs the scientific window");
    if (what == "paren") return Compare("paren", a.text, s.paren);
    if (what == "tokens") return Compare("tokens", a.text, s.tokens);
    return Compare(what, a.text, what == "inv" ? s.inv : s.hyp);
}

std::istream* OpenInput(const std::string& path, std::ifstream& file, std::istream& stdinStream, std::ostream& err) {
    if (path == "-") return &stdinStream;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        err << "calc-script: " << Printable(path) << ": " << Reason(EISDIR) << "\n";
        return nullptr;
    }
    errno = 0;
    file.open(path, std::ios::binary);
    if (!file) {
        err << "calc-script: " << Printable(path) << ": " << Reason(errno ? errno : ENOENT) << "\n";
        return nullptr;
    }
    return &file;
}

bool ReadToEnd(std::istream& in, const std::string& path, std::ostream& err) {
    // Standard input reads through stdio, which keeps the error to itself (a directory given as `< /`).
    if (!in.bad() && !(&in == &std::cin && std::ferror(stdin))) return true;
    err << "calc-script: " << Printable(path) << ": " << Reason(errno ? errno : EIO) << "\n";
    return false;
}

ExitStatus RunFile(Driver& driver, const std::string& path, std::ostream& out, std::ostream& err) {
    std::ifstream file;
    std::istream* in = OpenInput(path, file, std::cin, err);
    if (!in) return ExitStatus::Trouble;
    ScenarioRunner runner(driver, out);
    runner.Restart();
    bool anyCommand = false;
    int number = 0;
    for (std::string line; std::getline(*in, line);) {
        ++number;
        const CommandResult r = runner.RunLine(std::move(line));
        if (!r.ok) {
            out << "FAIL " << Printable(path) << ":" << number << ": " << r.message << "\n";
            return ExitStatus::Failed;
        }
        anyCommand = anyCommand || r.command;
    }
    if (!ReadToEnd(*in, path, err)) return ExitStatus::Trouble;
    if (!anyCommand) {
        err << "calc-script: " << Printable(path) << ": holds no command\n";
        return ExitStatus::Trouble;
    }
    out << "PASS " << Printable(path) << "\n";
    return ExitStatus::Passed;
}

ExitStatus CheckFiles(Driver& driver, const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
    int passed = 0, failed = 0;
    ExitStatus status = ExitStatus::Passed;
    for (const std::string& f : files) {
        const ExitStatus s = RunFile(driver, f, out, err);
        ++(s == ExitStatus::Passed ? passed : failed);
        status = Worse(status, s);
        out.flush();
    }
    out << passed << " passed, " << failed << " failed\n";
    return status;
}

ExitStatus Interactive(Driver& driver, std::istream& in, std::ostream& out, std::ostream& err) {
    ScenarioRunner runner(driver, out);
    ExitStatus status = ExitStatus::Passed;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        CommandResult r = runner.RunLine(std::move(line));
        if (const CommandResult shown = r.shown ? r : runner.Show(); r.ok) r = shown;  // the state after each line
        if (!r.ok) {
            err << "calc-script: line " << number << ": " << r.message << "\n" << std::flush;
            status = ExitStatus::Failed;
        }
        out.flush();
    }
    return ReadToEnd(in, "-", err) ? status : ExitStatus::Trouble;
}

}  // namespace calc::script
