#include "display_check.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QLibraryInfo>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace calc::ui {

namespace {

constexpr int kConnectTimeoutMs = 3000;  // a remote X server that does not answer

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Connects a stream socket to `address` and closes it again: "" when that worked, else the reason.
std::string Connect(int family, const sockaddr* address, socklen_t length) {
    const int fd = socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return std::strerror(errno);
    int error = connect(fd, address, length) == 0 ? 0 : errno;
    if (error == EINPROGRESS) {
        pollfd wait{fd, POLLOUT, 0};
        socklen_t size = sizeof error;
        if (poll(&wait, 1, kConnectTimeoutMs) <= 0)
            error = ETIMEDOUT;
        else if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
            error = errno;
    }
    close(fd);
    return error ? std::strerror(error) : "";
}

// A local socket; a name starting with '@' is one of the abstract namespace.
std::string ConnectLocal(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return std::strerror(ENAMETOOLONG);
    std::memcpy(address.sun_path, path.data(), path.size());
    if (path[0] == '@') address.sun_path[0] = '\0';
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
    return Connect(AF_UNIX, reinterpret_cast<const sockaddr*>(&address), length);
}

std::string ConnectTcp(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int error = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found))
        return gai_strerror(error);
    std::string why;
    for (const addrinfo* a = found; a; a = a->ai_next) {
        why = Connect(a->ai_family, a->ai_addr, a->ai_addrlen);
        if (why.empty()) break;
    }
    freeaddrinfo(found);
    return why;
}

// X, as its client library reaches DISPLAY=[protocol/][host]:number[.screen]: no host (or "unix") is the
// local socket (abstract, then in /tmp/.X11-unix), with TCP on localhost after it unless "unix" was named;
// any other host is TCP port 6000 + number. "" when connected, else what failed.
std::string TryX() {
    std::string rest = Env("DISPLAY");
    if (rest.empty()) return "X (DISPLAY not set)";
    const std::string said = "X " + rest + " (";
    std::string protocol;
    if (const std::size_t slash = rest.find('/'); slash != std::string::npos && slash > 0 && rest[0] != '/') {
        protocol = rest.substr(0, slash);
        rest.erase(0, slash + 1);
    }
    const std::size_t colon = rest.rfind(':');
    const std::string number =
        colon == std::string::npos ? "" : rest.substr(colon + 1, rest.find('.', colon) - colon - 1);
    if (number.empty() || number.size() > 4 || number.find_first_not_of("0123456789") != std::string::npos)
        return said + "not a display name)";
    std::string host = rest.substr(0, colon);
    const int port = 6000 + std::stoi(number);
    if (!host.empty() && host[0] == '/') {
        const std::string why = ConnectLocal(host);
        return why.empty() ? "" : said + host + ": " + why + ")";
    }
    if (host.empty() || host == "unix" || protocol == "unix") {
        const std::string path = "/tmp/.X11-unix/X" + number;
        std::string why = ConnectLocal('@' + path);
        if (!why.empty()) why = ConnectLocal(path);
        const bool localOnly = host == "unix" || protocol == "unix";
        return why.empty() || (!localOnly && ConnectTcp("localhost", port).empty()) ? ""
                                                                                    : said + path + ": " + why + ")";
    }
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
    const std::string why = ConnectTcp(host, port);
    return why.empty() ? "" : said + host + ":" + std::to_string(port) + ": " + why + ")";
}

bool WaylandPluginInstalled() {
    QStringList dirs = qEnvironmentVariable("QT_PLUGIN_PATH").split(u':', Qt::SkipEmptyParts);
    dirs << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString& dir : dirs) {
        if (!QDir(dir + QStringLiteral("/platforms")).entryList({QStringLiteral("libqwayland*.so")}).isEmpty())
            return true;
    }
    return false;
}

// The compositor's socket, WAYLAND_DISPLAY (wayland-0 when unset) in XDG_RUNTIME_DIR, or a socket the
// compositor handed over (WAYLAND_SOCKET). "" when connected (its path in `socketPath`), else what failed.
std::string TryWayland(std::string& socketPath) {
    if (!Env("WAYLAND_SOCKET").empty()) return WaylandPluginInstalled() ? "" : "Wayland (no qt6-wayland)";
    std::string name = Env("WAYLAND_DISPLAY");
    if (name.empty()) name = "wayland-0";
    const std::string said = "Wayland " + name + " (";
    socketPath = name;
    if (name[0] != '/') {
        if (Env("XDG_RUNTIME_DIR").empty()) return said + "XDG_RUNTIME_DIR not set)";
        socketPath = Env("XDG_RUNTIME_DIR") + '/' + name;
    }
    if (const std::string why = ConnectLocal(socketPath); !why.empty()) return said + socketPath + ": " + why + ")";
    return WaylandPluginInstalled() ? "" : said + "no qt6-wayland)";
}

// A directory only the user may enter, as XDG_RUNTIME_DIR must be.
bool IsPrivateDir(const std::string& dir) {
    struct stat s {};
    return !dir.empty() && lstat(dir.c_str(), &s) == 0 && S_ISDIR(s.st_mode) && s.st_uid == geteuid() &&
           (s.st_mode & 07777) == 0700;
}

// Qt warns of a missing, foreign or open XDG_RUNTIME_DIR: put a private one of the user's own in its place,
// runtime-UID in the temporary folder (or a fresh one beside it when that name is taken by someone else).
// A Wayland socket found in the old one is named by its whole path.
void UsePrivateRuntimeDir(const std::string& waylandSocket) {
    if (IsPrivateDir(Env("XDG_RUNTIME_DIR"))) return;
    const std::string tmp = Env("TMPDIR").empty() ? "/tmp" : Env("TMPDIR");
    std::string dir = tmp + "/runtime-" + std::to_string(geteuid());
    mkdir(dir.c_str(), 0700);
    if (!IsPrivateDir(dir)) {
        dir += "-XXXXXX";
        if (!mkdtemp(dir.data())) return;  // no room at all: Qt says what it finds
    }
    if (!waylandSocket.empty()) setenv("WAYLAND_DISPLAY", waylandSocket.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
}

}  // namespace

DisplayCheck PrepareDisplay(int argc, char** argv) {
    DisplayCheck check;
    std::string platforms = Env("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) platforms = argv[i + 1];
    }
    check.chosen = !platforms.empty();
    check.configured = !Env("DISPLAY").empty() || !Env("WAYLAND_DISPLAY").empty();
    if (!check.chosen) platforms = Env("XDG_SESSION_TYPE") == "wayland" ? "wayland;xcb" : "xcb;wayland";
    std::string usable, waylandSocket;
    std::istringstream entries(platforms);
    for (std::string entry; std::getline(entries, entry, ';');) {
        const std::string name = entry.substr(0, entry.find(':'));  // "offscreen:fontengine=freetype"
        std::string socket;
        const std::string why = name == "xcb" ? TryX() : name.starts_with("wayland") ? TryWayland(socket) : "";
        if (name.empty()) continue;
        if (!why.empty()) {
            check.tried += (check.tried.empty() ? "" : "; ") + why;
            continue;
        }
        usable += (usable.empty() ? "" : ";") + entry;
        if (!socket.empty()) waylandSocket = socket;
    }
    check.usable = !usable.empty();
    if (!check.chosen && check.usable) setenv("QT_QPA_PLATFORM", usable.c_str(), 1);
    UsePrivateRuntimeDir(waylandSocket);
    return check;
}

std::string NoDisplayMessage(const DisplayCheck& check) {
    return "calculator：找不到可用的图形显示，无法打开窗口。已尝试：" + check.tried + "\n";
}

}  // namespace calc::ui
