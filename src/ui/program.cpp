#include "program.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cerrno>
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

// The option as the user wrote it ("-xy", "--xy=1" named "-xy", "--xy"): Qt gives only its name.
std::string AsGiven(const QString& name, const QStringList& args) {
    for (const QString& arg : args.mid(1)) {
        if (arg == QStringLiteral("--")) break;
        const QString option = arg.section(u'=', 0, 0);
        if (option.startsWith(u'-') && option.mid(option.startsWith(QStringLiteral("--")) ? 2 : 1) == name)
            return option.toStdString();
    }
    return "--" + name.toStdString();
}

std::string ParseError(const QCommandLineParser& parser, const QStringList& args) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) return "无法识别的选项“" + AsGiven(unknown[0], args) + "”";
    const std::string option = OptionOfError(parser.errorText());
    if (parser.errorText().startsWith(QStringLiteral("Missing value"))) return "选项“" + option + "”缺少参数";
    return "选项“" + option + "”不接受参数";
}

}  // namespace

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
        error = ParseError(parser, args);
    } else if (!parser.positionalArguments().isEmpty()) {
        error = "多余的参数“" + parser.positionalArguments()[0].toStdString() + "”";
    }
    if (!error.empty()) {
        std::cerr << "calculator：" << error << "\n请执行“calculator --help”查看可用的选项。\n";
        return kUsageStatus;
    }
    if (!parser.isSet(help) && !parser.isSet(version)) return std::nullopt;
    std::cout << (parser.isSet(help) ? kHelp : "calculator " CALC_VERSION "\n") << std::flush;
    if (std::cout) return 0;
    // Output that never arrives is no success (a full disk, a closed pipe).
    std::cerr << "calculator：无法写入标准输出：" << std::strerror(errno ? errno : EIO) << "\n";
    return kOutputErrorStatus;
}

Program::Program() : calculator_(platform_), shell_(calculator_) {
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&shell_, &Shell::QuitRequested, qApp, &QCoreApplication::quit);
}

Program::~Program() { calculator_.Stop(); }

}  // namespace calc::ui
