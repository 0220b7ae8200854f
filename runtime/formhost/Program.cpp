#include "runtime/formhost/Program.h"

#include "runtime/formhost/FormWindow.h"
#include "runtime/formhost/UiFont.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace runtime {

namespace {

bool mentions(int argc, char** argv, char const* option) {
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], option) == 0)
            return true;
    }
    return false;
}

// True when the window has somewhere to appear: a platform was chosen, or an X or Wayland display
// is there for the default one.
bool hasDisplay(int argc, char** argv) {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || mentions(argc, argv, "-platform") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The About window's text: what the program shows, which interface its algorithm knows, how to see
// the calls, its version and licence.
QString aboutText(ProgramInfo const& info) {
    return QStringLiteral("%1 %2\n\n%3\n%4\n\n"
                          "ボタンを押したときにアルゴリズムがインターフェースをどう呼ぶかは、端末から"
                          "「%5 --trace」で起動すると、1行に1回の呼び出しとして標準エラーに表示されます。\n\n"
                          "MIT ライセンスのもとで配布されています。")
        .arg(QString::fromUtf8(info.titleJa), QString::fromUtf8(info.version), QString::fromUtf8(info.summaryJa),
             QString::fromUtf8(info.interfaceJa), QString::fromUtf8(info.name));
}

// While the application is made, a platform plugin that cannot reach its display ends the program
// with one line and exit status 1, instead of Qt's abort; its own warnings about that are dropped.
QtMessageHandler g_previousHandler = nullptr;
char const* g_programName = "";

void startupMessages(QtMsgType type, QMessageLogContext const& context, QString const& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: cannot open its window: the display could not be reached (DISPLAY=%s, "
                             "WAYLAND_DISPLAY=%s)\n",
                     g_programName, qgetenv("DISPLAY").constData(), qgetenv("WAYLAND_DISPLAY").constData());
        std::_Exit(1);
    }
    if (context.category && qstrncmp(context.category, "qt.qpa", 6) == 0)
        return;
    g_previousHandler(type, context, message);
}

} // namespace

int runProgram(int& argc, char** argv, FormFactory const& makeForm) {
    ProgramInfo const& info = programInfo();
    QCoreApplication::setApplicationName(QString::fromUtf8(info.name));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(info.version));
    QCommandLineParser parser;
    QCommandLineOption const trace(
        QStringLiteral("trace"),
        QStringLiteral("Write every interface call that a click makes to standard error, one line each, "
                       "and after each click the number of calls."));
    parser.setApplicationDescription(QString::fromUtf8(info.summary));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(trace);
    // The program takes no file or other argument: one given is a mistake, said with the usage.
    auto unexpectedArguments = [&] {
        QStringList const extra = parser.positionalArguments();
        if (extra.isEmpty())
            return false;
        std::fprintf(stderr, "%s: unexpected argument '%s'\n\n%s", info.name, qPrintable(extra.front()),
                     qPrintable(parser.helpText()));
        return true;
    };

    if (!hasDisplay(argc, argv)) {
        // --help and --version answer without a window; anything else needs one.
        QCoreApplication application(argc, argv);
        parser.process(application);
        if (unexpectedArguments())
            return 2;
        std::fprintf(stderr,
                     "%s: needs a graphical desktop, and none was found (DISPLAY and WAYLAND_DISPLAY are not "
                     "set); to run it without one, set QT_QPA_PLATFORM=offscreen\n",
                     info.name);
        return 1;
    }

    g_programName = info.name;
    g_previousHandler = qInstallMessageHandler(startupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    parser.process(application);
    if (unexpectedArguments())
        return 2;
    useJapaneseUiFont();
    QApplication::setDesktopFileName(QString::fromUtf8(info.id));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QString::fromUtf8(info.id), QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(info.id)))));

    std::unique_ptr<CallTrace> callTrace;
    if (parser.isSet(trace))
        callTrace = std::make_unique<CallTrace>(std::cerr);
    std::unique_ptr<Form> const form = makeForm(callTrace.get());
    FormWindow window(*form);
    window.setCallTrace(callTrace.get());
    window.setAbout(QString::fromUtf8(info.titleJa), aboutText(info));
    window.show();
    return application.exec();
}

} // namespace runtime
