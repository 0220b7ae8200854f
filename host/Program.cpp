#include "host/Program.h"

#include "host/FormWindow.h"
#include "host/StartupFailure.h"
#include "host/UiFont.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLibrary>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <vector>

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

// The About window's text, in paragraphs apart by an empty line: what the program shows, which
// interface its algorithm knows, how to see the calls, its version and licence. The command is kept
// on one line by a no-break space.
QString aboutText(ProgramInfo const& info) {
    return QStringLiteral(
               "%1 %2\n\n%3。%4\n\n"
               "ボタンを押したときにアルゴリズムがインターフェースをどう呼び出すかは、端末から"
               "「%5\u00A0--trace」で起動すると、1回の呼び出しにつき1行ずつ、アルゴリズムの手順とともに"
               "標準エラー出力に表示されます。読み方はマニュアルページ（man\u00A0%5）の"
               "「トレースの読み方」にあります。\n\n"
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

// While the application is made, Qt's messages are held back. When no platform plugin can start,
// the program ends with one line that names the cause and exit status 1, instead of Qt's abort and
// its messages; otherwise the messages follow, less those of the platform layer.
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<HeldMessage>* g_heldMessages = nullptr;
char const* g_programName = "";

// The platform plugin's file, whose loading says which library it lacks.
QString platformPluginError(QString const& plugin) {
    QString directory = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (directory.isEmpty())
        directory = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    QLibrary library(directory + QStringLiteral("/libq") + plugin + QStringLiteral(".so"));
    return library.load() ? QString() : library.errorString();
}

QString startupFailureLine(QStringList const& platformMessages) {
    QString const name = QString::fromUtf8(g_programName);
    StartupFailure const failure = startupFailure(platformMessages);
    QString const package = packageOfPlatformPlugin(failure.plugin);
    switch (failure.cause) {
    case StartupFailure::Cause::MissingPlugin:
        if (package.isEmpty())
            return (*g_translations)(QT_TRANSLATE_NOOP("Program", "%1: cannot open its window: Qt has no "
                                                                  "platform plugin \"%2\""))
                .arg(name, failure.plugin);
        return (*g_translations)(QT_TRANSLATE_NOOP("Program", "%1: cannot open its window: Qt's platform "
                                                              "plugin \"%2\" is not installed; the package "
                                                              "%3 brings it"))
            .arg(name, failure.plugin, package);
    case StartupFailure::Cause::UnloadablePlugin:
        return (*g_translations)(QT_TRANSLATE_NOOP("Program", "%1: cannot open its window: Qt's platform "
                                                              "plugin \"%2\" could not be loaded (%3); "
                                                              "installing the package %4 again brings what "
                                                              "it needs"))
            .arg(name, failure.plugin, platformPluginError(failure.plugin),
                 package.isEmpty() ? QStringLiteral("libqt6gui6") : package);
    case StartupFailure::Cause::Display:
        break;
    }
    return (*g_translations)(QT_TRANSLATE_NOOP("Program", "%1: cannot open its window: the display could "
                                                          "not be reached (DISPLAY=%2, WAYLAND_DISPLAY=%3)"))
        .arg(name, qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
}

void startupMessages(QtMsgType type, QMessageLogContext const& context, QString const& message) {
    g_heldMessages->push_back({type, QByteArray(context.category ? context.category : ""), message});
    if (type != QtFatalMsg)
        return;
    QStringList platformMessages;
    for (HeldMessage const& held : *g_heldMessages)
        platformMessages << held.text;
    printLine(startupFailureLine(platformMessages));
    std::_Exit(1);
}

// Passes on the messages held back while the application was made, less the platform layer's.
void releaseHeldMessages() {
    for (HeldMessage const& held : *g_heldMessages) {
        if (held.category.startsWith("qt.qpa"))
            continue;
        QMessageLogContext const context(nullptr, 0, nullptr, held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    g_heldMessages->clear();
}

// An option as the user typed it, dashes included ("--foo" for the name "foo"); the parser names
// options without them.
QString asTyped(QString const& name) {
    for (QString const& argument : QCoreApplication::arguments()) {
        QStringView const option = QStringView(argument).left(argument.indexOf(u'='));
        if (option.startsWith(u'-') && option.mid(option.startsWith(u"--") ? 2 : 1) == name)
            return option.toString();
    }
    return name;
}

// The command line: --help, --version, --trace and --steps besides Qt's own options, described in the
// language of the installed translations. Returns the exit status when the program must stop: 2 for
// an option or argument it does not take, said in one line with the usage.
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
    // The program takes no file or other argument: one given is a mistake, as is an unknown option.
    QString mistake;
    if (!parser.parse(QCoreApplication::arguments()))
        mistake = parser.unknownOptionNames().isEmpty()
                      ? parser.errorText()
                      : QCoreApplication::translate("Program", "unknown option '%1'")
                            .arg(asTyped(parser.unknownOptionNames().front()));
    else if (QStringList const extra = parser.positionalArguments(); !extra.isEmpty())
        mistake = QCoreApplication::translate("Program", "unexpected argument '%1'").arg(extra.front());
    if (!mistake.isEmpty()) {
        printLine(QStringLiteral("%1: %2").arg(QString::fromUtf8(info.name), mistake));
        std::fprintf(stderr, "\n%s", parser.helpText().toUtf8().constData());
        return 2;
    }
    // --help, --help-all and --version answer here and end the program.
    parser.process(application);
    traced = parser.isSet(trace);
    steps = parser.isSet(stepsOption);
    return std::nullopt;
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
                                              "(DISPLAY and WAYLAND_DISPLAY are not set); start it "
                                              "from a desktop session, or through ssh -X from one")
                      .arg(QString::fromUtf8(info.name)));
        return 1;
    }

    g_programName = info.name;
    g_translations = &translations;
    std::vector<HeldMessage> heldMessages;
    g_heldMessages = &heldMessages;
    QtMessageHandler const previousHandler = qInstallMessageHandler(startupMessages);
    QApplication application(argc, argv);
    qInstallMessageHandler(previousHandler);
    releaseHeldMessages();
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
