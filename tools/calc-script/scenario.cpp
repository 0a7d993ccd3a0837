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

CommandResult Compare(Expectation what, const std::string& expected, std::string_view found) {
    if (expected == found) return Done();
    return Fail(std::string(Name(what)) + " " + Quote(expected) + ", got " + Quote(found));
}

// The part of the state that an expectation of a snapshot compares.
std::string_view Field(const Snapshot& s, Expectation what) {
    switch (what) {
        case Expectation::Display: return s.display;
        case Expectation::Memory: return s.memory;
        case Expectation::Paren: return s.paren;
        case Expectation::Inv: return s.inv;
        case Expectation::Hyp: return s.hyp;
        case Expectation::Locked: return LockedWord(s.locked);
        case Expectation::Tokens: return s.tokens;
        case Expectation::Beeps:
        case Expectation::Clipboard: break;  // not in the snapshot
    }
    return {};
}

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

void WriteShow(std::ostream& out, const Snapshot& s) {
    for (const Expectation what : {Expectation::Display, Expectation::Memory, Expectation::Paren, Expectation::Inv,
                                   Expectation::Hyp, Expectation::Locked, Expectation::Tokens}) {
        out << Name(what) << ": " << Field(s, what) << '\n';
    }
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
    return RunAction(std::move(*parsed.action));
}

CommandResult ScenarioRunner::RunAction(Action action) {
    CommandResult r = Run(std::move(action));
    if (r.ok) {
        const std::string violation = driver_.TakeViolation();
        if (!violation.empty()) return Fail("inconsistent state: " + violation);
    }
    return r;
}

std::string ScenarioRunner::Observe(Expectation what, const Snapshot& state) {
    if (what == Expectation::Clipboard) return driver_.Clipboard();
    if (what != Expectation::Beeps) return std::string(Field(state, what));
    const long now = driver_.Beeps();
    const long since = now - beepMark_;
    beepMark_ = now;
    return std::to_string(since);
}

CommandResult ScenarioRunner::Run(Action a) {
    switch (a.verb) {
        case Verb::Window: driver_.ShowMode(a.window); break;
        case Verb::Press: return Press(a.captions);
        case Verb::Click: driver_.PressIndex(a.index); break;
        case Verb::Paste:
            if (driver_.CurrentMode() != Mode::Scientific)
                return Fail(std::string(Name(Verb::Paste)) + ": the standard window has no Paste");
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
            return Fail(Unknown("caption", caption) + " in the " + std::string(Name(driver_.CurrentMode())) +
                        " window");
        }
    }
    return Done();
}

CommandResult ScenarioRunner::Expect(const Action& a) {
    const bool anyWindow = a.what == Expectation::Display || a.what == Expectation::Memory ||
                           a.what == Expectation::Locked || a.what == Expectation::Beeps ||
                           a.what == Expectation::Clipboard;
    if (!anyWindow && driver_.CurrentMode() != Mode::Scientific)
        return Fail(WriteLine(Action::Expect(a.what, "")) + " needs the scientific window");
    const bool fromState = a.what != Expectation::Beeps && a.what != Expectation::Clipboard;
    return Compare(a.what, a.text, Observe(a.what, fromState ? driver_.Read() : Snapshot{}));
}

ExitStatus TooLong(const std::string& where, std::ostream& err) {
    err << "calc-script: " << where << ": " << LineReader::TooLongMessage() << "\n";
    return ExitStatus::Trouble;
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

bool ReadToEnd(const std::istream& in, const std::string& path, std::ostream& err) {
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
    LineReader reader(*in);
    std::string line;
    for (LineReader::Got got; (got = reader.Next(line)) != LineReader::Got::End;) {
        if (got == LineReader::Got::TooLong)
            return TooLong(Printable(path) + ":" + std::to_string(reader.Number()), err);
        const CommandResult r = runner.RunLine(std::move(line));
        if (!r.ok) {
            out << "FAIL " << Printable(path) << ":" << reader.Number() << ": " << r.message << "\n";
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
    LineReader reader(in);
    std::string line;
    for (LineReader::Got got; (got = reader.Next(line)) != LineReader::Got::End;) {
        const std::string where = "line " + std::to_string(reader.Number());
        if (got == LineReader::Got::TooLong) return TooLong(where, err);
        CommandResult r = runner.RunLine(std::move(line));
        if (const CommandResult shown = r.shown ? r : runner.Show(); r.ok) r = shown;  // the state after each line
        if (!r.ok) {
            err << "calc-script: " << where << ": " << r.message << "\n" << std::flush;
            status = ExitStatus::Failed;
        }
        out.flush();
    }
    return ReadToEnd(in, "-", err) ? status : ExitStatus::Trouble;
}

}  // namespace calc::script
