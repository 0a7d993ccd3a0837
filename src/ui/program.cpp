#include "program.h"

#include <QApplication>
#include <QCommandLineParser>
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
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty())
            error = parser.errorText().toStdString();
        else
            error =
                "无法识别的选项“" + std::string(unknown[0].size() == 1 ? "-" : "--") + unknown[0].toStdString() + "”";
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
