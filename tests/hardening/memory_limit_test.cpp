// The windows under address-space limits (what `prlimit --as` sets) just above what they hold with 2000000! shown
// (11,733,474 digits): its copy, another program reading the clipboard (xclip on X11) and its paste each work or
// end as running out of memory does, and the window lives on: C 2 + 3 = then shows 5 with the memory kept.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QProcess>
#include <cstdio>
#include <fstream>
#include <string>

#include "gui_driver.h"
#include "layout.h"

namespace {

enum Outcome { kIntact = 0, kBroken = 1, kCopied = 2 };  // bits of a child's exit status

// Limits the address space to `mib` more than this process holds.
void LimitTo(long mib) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word && word != "VmSize:") continue;
    status >> word;
    const auto bytes = static_cast<rlim_t>(std::stol(word) * 1024 + (mib << 20));
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_AS, &limit);
}

// The size of the clipboard text as another program reads it, counted there; the window answers meanwhile.
qsizetype ReadByAnotherProgram() {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data ? data->data(QStringLiteral("text/plain")).size() : 0;
    }
    QProcess reader;
    reader.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("xclip -o -selection clipboard | wc -c")});
    while (reader.state() != QProcess::NotRunning) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return reader.readAllStandardOutput().trimmed().toLongLong();
}

int WindowsUnder(long mib) {
    int argc = 1;
    char name[] = "memory_limit_test";
    char* argv[] = {name, nullptr};
    const QApplication app(argc, argv);
    calc::script::GuiDriver d;
    d.ShowMode(calc::Mode::Scientific);
    for (const char* key : {"5", "MS", "C", "2", "0", "0", "0", "0", "0", "0", "n!"}) d.Press(key);
    LimitTo(mib);
    d.Copy();
    const int outcome = ReadByAnotherProgram() > 1000000 ? kCopied : kIntact;
    d.Press("C");
    for (QElapsedTimer t; !t.isValid() || t.elapsed() < 300; t.isValid() || (t.start(), true))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);  // the number's memory leaves the heap
    LimitTo(mib);
    d.Trigger(calc::ui::Command::Paste);
    for (const char* key : {"C", "2", "+", "3", "="}) d.Press(key);
    const calc::script::Snapshot s = d.Read();
    return s.display == "5" && s.memory == "M" && !s.locked ? outcome : outcome | kBroken;
}

}  // namespace

int main() {
    int seen = 0, failures = 0;
    for (const long mib : {0, 8, 16, 32, 128}) {
        const pid_t child = fork();
        if (child == 0) _exit(WindowsUnder(mib));
        int status = 0;
        waitpid(child, &status, 0);
        status = WIFEXITED(status) ? WEXITSTATUS(status) : kBroken;
        std::fprintf(stderr, "+%ld MiB: %s%s\n", mib, status & kBroken ? "BROKEN" : "lived on",
                     status & kCopied ? ", the copy read by another program" : ", no room for the copy");
        failures += status & kBroken;
        seen |= 1 << (status & kCopied ? 1 : 0);
    }
    return failures || seen != 3 ? 1 : 0;  // and the limits reach both ends: no room for a copy, and room
}
