#include "program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "calc_version.h"

namespace calc::ui {

namespace {

constexpr char kHelp[] =
    "用法：calculator [选项]\n"
    "打开计算器的标准型窗口；标准型与科学型可从“查看”菜单随时切换。\n"
    "\n"
    "选项：\n"
    "  -h, --help     显示本帮助并退出\n"
    "  -v, --version  显示版本信息并退出\n"
    "\n"
    "另可使用 Qt 的通用选项，如 -platform 名称、-style 名称、-reverse。\n";

// Qt's own options (those of its documentation for Linux), left for the QApplication.
constexpr char kQtOptionsWithValue[] =
    "platform platformpluginpath platformtheme plugin session display geometry "
    "qwindowgeometry qwindowicon qwindowtitle style stylesheet";
constexpr char kQtFlags[] = "reverse widgetcount";

// The option of a QCommandLineParser error text ("Missing value after '-style'."), which Qt gives in English.
std::string OptionOfError(const QString& text) {
    const qsizetype from = text.indexOf(u'\'');
    const qsizetype to = text.lastIndexOf(u'\'');
    return from >= 0 && to > from ? text.mid(from + 1, to - from - 1).toStdString() : std::string();
}

std::string ParseError(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return "无法识别的选项“" + std::string(unknown[0].size() == 1 ? "-" : "--") + unknown[0].toStdString() + "”";
    const std::string option = OptionOfError(parser.errorText());
    if (parser.errorText().startsWith(QStringLiteral("Missing value"))) return "选项“" + option + "”缺少参数";
    return "选项“" + option + "”不接受参数";
}

bool HasEnv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
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

// The compositor's socket: WAYLAND_DISPLAY (wayland-0 when unset), relative to XDG_RUNTIME_DIR.
bool WaylandSocketExists() {
    const QString name =
        HasEnv("WAYLAND_DISPLAY") ? qEnvironmentVariable("WAYLAND_DISPLAY") : QStringLiteral("wayland-0");
    if (QDir::isAbsolutePath(name)) return QFileInfo::exists(name);
    return HasEnv("XDG_RUNTIME_DIR") && QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + u'/' + name);
}

bool PlatformHasDisplay(const QString& entry) {
    const QString name = entry.section(u':', 0, 0);  // "offscreen:fontengine=freetype" names offscreen
    if (name == QStringLiteral("xcb")) return HasEnv("DISPLAY");
    if (name.startsWith(QStringLiteral("wayland"))) return WaylandSocketExists() && WaylandPluginInstalled();
    return true;
}

}  // namespace

DisplayCheck CheckDisplay(int argc, char** argv) {
    DisplayCheck check;
    QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platforms = QString::fromLocal8Bit(argv[i + 1]);
    }
    check.chosen = !platforms.isEmpty();
    if (!check.chosen)
        platforms = qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland")
                        ? QStringLiteral("wayland;xcb")
                        : QStringLiteral("xcb");
    for (const QString& entry : platforms.split(u';', Qt::SkipEmptyParts))
        check.usable = check.usable || PlatformHasDisplay(entry);
    return check;
}

std::optional<int> ReadCommandLine(int argc, char** argv) {
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);  // Qt's -platform NAME
    parser.addOptions({help, version});
    for (const QString& name : QString::fromLatin1(kQtOptionsWithValue).split(u' ')) {
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    }
    for (const QString& name : QString::fromLatin1(kQtFlags).split(u' ')) parser.addOption(QCommandLineOption(name));

    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    std::string error;
    if (!parser.parse(args)) {
        error = ParseError(parser);
    } else if (!parser.positionalArguments().isEmpty()) {
        error = "多余的参数“" + parser.positionalArguments()[0].toStdString() + "”";
    }
    if (!error.empty()) {
        std::cerr << "calculator：" << error << "\n请执行“calculator --help”查看可用的选项。\n";
        return 2;
    }
    if (parser.isSet(help)) return std::cout << kHelp, 0;
    if (parser.isSet(version)) return std::cout << "calculator " CALC_VERSION "\n", 0;
    return std::nullopt;
}

Program::Program() : calculator_(platform_), shell_(calculator_) {
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&shell_, &Shell::QuitRequested, qApp, &QCoreApplication::quit);
}

Program::~Program() { calculator_.Stop(); }

}  // namespace calc::ui
