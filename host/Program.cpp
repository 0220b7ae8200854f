#include "host/Program.h"

#include "host/FormWindow.h"
#include "host/UiFont.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>

namespace host {

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
        .arg(QString::fromUtf8(info.titleJa), QString::fromUtf8(info.version),
             QString::fromUtf8(info.summaryJa), QString::fromUtf8(info.interfaceJa),
             QString::fromUtf8(info.name));
}

// The program's own texts and Qt's, in the language of the system's locale where there are any.
// They are read before the application is made, so that even its first message can be translated,
// and installed once it is.
class Translations {
public:
    Translations() {
        QLocale const locale;
        (void)m_own.load(locale, QStringLiteral("host"), QStringLiteral("_"), QStringLiteral(":/i18n"));
        (void)m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    void install() {
        QCoreApplication::installTranslator(&m_own);
        QCoreApplication::installTranslator(&m_qt);
    }
    QString operator()(char const* text) const {
        QString const translated = m_own.translate("Program", text);
        return translated.isEmpty() ? QString::fromUtf8(text) : translated;
    }

private:
    QTranslator m_own;
    QTranslator m_qt;
};

Translations const* g_translations = nullptr;

void printLine(QString const& line) { std::fprintf(stderr, "%s\n", line.toUtf8().constData()); }

// While the application is made, a platform plugin that cannot reach its display ends the program
// with one line and exit status 1, instead of Qt's abort; its own warnings about that are dropped.
QtMessageHandler g_previousHandler = nullptr;
char const* g_programName = "";

void startupMessages(QtMsgType type, QMessageLogContext const& context, QString const& message) {
    if (type == QtFatalMsg) {
        printLine((*g_translations)(QT_TRANSLATE_NOOP("Program", "%1: cannot open its window: the "
                                                                 "display could not be reached "
                                                                 "(DISPLAY=%2, WAYLAND_DISPLAY=%3)"))
                      .arg(QString::fromUtf8(g_programName), qEnvironmentVariable("DISPLAY"),
                           qEnvironmentVariable("WAYLAND_DISPLAY")));
        std::_Exit(1);
    }
    if (context.category && qstrncmp(context.category, "qt.qpa", 6) == 0)
        return;
    g_previousHandler(type, context, message);
}

// The command line: --help, --version, --trace and --steps besides Qt's own options, described in the
// language of the installed translations. Returns the exit status when the program must stop: 2 for
// an argument it does not take.
std::optional<int> readCommandLine(QCoreApplication& application, ProgramInfo const& info, bool& traced,
                                   bool& steps) {
    QCommandLineParser parser;
    QCommandLineOption const trace(
        QStringLiteral("trace"),
        QCoreApplication::translate("Program",
                                    "Write every interface call that a click makes to standard error, "
                                    "one line each, and after each click the number of calls."));
    QCommandLineOption const stepsOption(
        QStringLiteral("steps"),
        QCoreApplication::translate("Program",
                                    "Open the step window too, which shows each click step by step."));
    bool const japanese = QLocale().language() == QLocale::Japanese;
    parser.setApplicationDescription(QString::fromUtf8(japanese ? info.summaryJa : info.summary));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(trace);
    parser.addOption(stepsOption);
    parser.process(application);
    traced = parser.isSet(trace);
    steps = parser.isSet(stepsOption);
    // The program takes no file or other argument: one given is a mistake, said with the usage.
    QStringList const extra = parser.positionalArguments();
    if (extra.isEmpty())
        return std::nullopt;
    printLine(QCoreApplication::translate("Program", "%1: unexpected argument '%2'")
                  .arg(QString::fromUtf8(info.name), extra.front()));
    std::fprintf(stderr, "\n%s", parser.helpText().toUtf8().constData());
    return 2;
}

} // namespace

int runProgram(int& argc, char** argv, ProgramParts const& parts) {
    ProgramInfo const& info = programInfo();
    QCoreApplication::setApplicationName(QString::fromUtf8(info.name));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(info.version));
    Translations translations;
    bool traced = false;
    bool steps = false;

    if (!hasDisplay(argc, argv)) {
        // --help and --version answer without a window; anything else needs one.
        QCoreApplication application(argc, argv);
        translations.install();
        if (auto const status = readCommandLine(application, info, traced, steps))
            return *status;
        printLine(QCoreApplication::translate("Program",
                                              "%1: needs a graphical desktop, and none was found "
                                              "(DISPLAY and WAYLAND_DISPLAY are not set); to run it "
                                              "without one, set QT_QPA_PLATFORM=offscreen")
                      .arg(QString::fromUtf8(info.name)));
        return 1;
    }

    g_programName = info.name;
    g_translations = &translations;
    g_previousHandler = qInstallMessageHandler(startupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    translations.install();
    if (auto const status = readCommandLine(application, info, traced, steps))
        return *status;
    useJapaneseUiFont();
    QApplication::setDesktopFileName(QString::fromUtf8(info.id));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QString::fromUtf8(info.id), QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(info.id)))));

    std::unique_ptr<form::CallTrace> callTrace;
    if (traced)
        callTrace = parts.makeTrace(std::cerr);
    std::unique_ptr<form::Form> const form = parts.makeForm();
    FormWindow window(*form);
    window.setCallTrace(callTrace.get());
    window.setAbout(QString::fromUtf8(info.titleJa), aboutText(info));
    window.setLesson(parts.lesson);
    window.show();
    if (steps)
        window.showSteps();
    return application.exec();
}

} // namespace host
