#include "runtime/formhost/Program.h"

#include "runtime/formhost/FormWindow.h"
#include "runtime/formhost/UiFont.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include <cstdio>
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

    if (!hasDisplay(argc, argv)) {
        // --help and --version answer without a window; anything else needs one.
        QCoreApplication application(argc, argv);
        parser.process(application);
        std::fprintf(stderr,
                     "%s: needs a graphical desktop, and none was found (DISPLAY and WAYLAND_DISPLAY are not "
                     "set); to run it without one, set QT_QPA_PLATFORM=offscreen\n",
                     info.name);
        return 1;
    }

    QApplication application(argc, argv);
    useJapaneseUiFont();
    QApplication::setDesktopFileName(QString::fromUtf8(info.id));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QString::fromUtf8(info.id), QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(info.id)))));
    parser.process(application);

    std::unique_ptr<CallTrace> callTrace;
    if (parser.isSet(trace))
        callTrace = std::make_unique<CallTrace>(std::cerr);
    std::unique_ptr<Form> const form = makeForm(callTrace.get());
    FormWindow window(*form);
    window.setCallTrace(callTrace.get());
    window.show();
    return application.exec();
}

} // namespace runtime
