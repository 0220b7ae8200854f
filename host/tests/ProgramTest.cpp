// A program's command line and start-up, through runProgram itself as the installed programs run:
// --trace makes the trace that each click writes to standard error, an argument or option the
// program does not take ends it with the usage and exit status 2, and a platform that cannot start
// ends it with one line that names the cause.
#include "host/Program.h"
#include "host/StartupFailure.h"
#include "host/StepWindow.h"
#include "host/testing/FormHarness.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace host {

ProgramInfo const& programInfo() {
    static constexpr ProgramInfo info{"sample",
                                      "org.genalgo.Sample",
                                      "1.0.0",
                                      "A sample program",
                                      "見本",
                                      "見本のプログラムです",
                                      "見本のインターフェースだけを知っています。"};
    return info;
}

namespace {

constexpr form::ControlLayout kControls[] = {
    {form::ControlKind::CommandButton, "Command1", 0, u"押す", 120, 120, 1215, 495, 0},
};
constexpr form::FormLayout kLayout{u"見本", 1185, 1920, 1500, 800, kControls};

class SampleForm final : public form::Form {
public:
    form::FormLayout const& layout() const override { return kLayout; }
    void Command1_Click(std::int16_t) override {}
};

// A lesson of one step, so that a step window has something to show.
form::Lesson const kLesson{u"Sample", {}, false, [](std::int16_t, std::span<std::int32_t const>) {
                               form::Recording recording;
                               recording.steps.emplace_back();
                               return recording;
                           }};

// Whether a step window was open once the program's window was up.
bool g_stepsShown = false;

// Runs the program with these arguments; once its window is up, hands it to whileShown, presses its
// button and closes it. Says whether the form was made with a trace.
int run(std::vector<std::string> arguments, bool& traced, std::function<void(QWidget&)> whileShown = {}) {
    qputenv("LC_ALL", "C.UTF-8"); // the messages as written here, whatever the machine's language
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(arguments.size());
    traced = false;
    g_stepsShown = false;
    ProgramParts parts{[whileShown] {
                           QTimer::singleShot(0, [whileShown] {
                               for (QWidget* window : QApplication::topLevelWidgets()) {
                                   if (dynamic_cast<StepWindow*>(window) && window->isVisible())
                                       g_stepsShown = true;
                                   if (whileShown && window->isVisible())
                                       whileShown(*window);
                                   if (auto* button = window->findChild<QPushButton*>())
                                       button->click();
                                   window->close();
                               }
                           });
                           return std::unique_ptr<form::Form>(std::make_unique<SampleForm>());
                       },
                       [&traced](std::ostream& out) {
                           traced = true;
                           return std::make_unique<form::CallTrace>(out);
                       }};
    parts.lesson = &kLesson;
    return runProgram(argc, argv.data(), parts);
}

TEST(ProgramTest, OnlyTheTraceOptionMakesEachClickTraced) {
    bool traced = false;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run({"sample", "-platform", "offscreen", "--trace"}, traced), 0);
    std::string const written = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(traced);
    EXPECT_NE(written.find("== 押す\n-- 0 calls\n"), std::string::npos) << written;

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run({"sample", "-platform", "offscreen"}, traced), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr().find("-- "), std::string::npos);
    EXPECT_FALSE(traced);
}

TEST(ProgramTest, AnArgumentOrOptionItDoesNotTakeGivesOneLineTheUsageAndStatusTwo) {
    std::pair<std::string, std::string> const mistakes[] = {
        {"stray", "sample: unexpected argument 'stray'\n\nUsage: "},
        {"--foo", "sample: unknown option '--foo'\n\nUsage: "},
        {"--foo=1", "sample: unknown option '--foo'\n\nUsage: "},
        {"-x", "sample: unknown option '-x'\n\nUsage: "},
    };
    for (auto const& [argument, said] : mistakes) {
        bool traced = false;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(run({"sample", "-platform", "offscreen", argument}, traced), 2) << argument;
        std::string const written = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(written.find(said), std::string::npos) << written;
        EXPECT_NE(written.find("--trace"), std::string::npos) << written;
    }
}

// F1 shows what the program is, in Japanese sentences broken between phrases, with a button in
// Japanese under any locale.
TEST(ProgramTest, F1ShowsWhatTheProgramIsInJapanese) {
    QStringList const expected{
        u"見本 1.0.0"_qs,
        u"見本のプログラムです。見本のインターフェースだけを知っています。"_qs,
        u"ボタンを押したときにアルゴリズムがインターフェースをどう呼び出すかは、端末から「sample\u00A0--"
        u"trace」"
        u"で起動すると、1回の呼び出しにつき1行ずつ、アルゴリズムの手順とともに標準エラー出力に表示されます。"
        u"読み方はマニュアルページ（man\u00A0sample）の「トレースの読み方」にあります。"_qs,
        u"MIT ライセンスのもとで配布されています。"_qs,
    };
    QStringList shown;
    QString button;
    bool traced = false;
    EXPECT_EQ(run({"sample", "-platform", "offscreen"}, traced,
                  [&](QWidget& window) {
                      QApplication::setActiveWindow(&window);
                      QTest::keyClick(&window, Qt::Key_F1);
                      if (auto* box = window.findChild<QMessageBox*>()) {
                          shown = box->text().split(QStringLiteral("\n\n"));
                          button = box->button(QMessageBox::Close)->text();
                          box->close();
                      }
                  }),
              0);
    ASSERT_EQ(shown.size(), expected.size()) << shown.join(u'|').toStdString();
    for (qsizetype i = 0; i < shown.size(); ++i)
        EXPECT_EQ(testing::lineBreakFaults(expected[i], shown[i].split(u'\n'), true),
                  std::vector<std::string>{});
    EXPECT_EQ(button, QStringLiteral("閉じる"));
}

// What Qt's platform layer says before it gives up, and the cause the program names.
TEST(ProgramTest, AStartupFailureIsPutDownToItsCause) {
    using Cause = StartupFailure::Cause;
    QString const gaveUp =
        QStringLiteral("This application failed to start because no Qt platform plugin could "
                       "be initialized. Reinstalling the application may fix this problem.");
    std::pair<QStringList, StartupFailure> const cases[] = {
        {{"could not connect to display :97",
          "Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.", gaveUp},
         {Cause::Display, {}}},
        {{"Failed to create wl_display (No such file or directory)",
          "Could not load the Qt platform plugin \"wayland\" in \"\" even though it was found.", gaveUp},
         {Cause::Display, {}}},
        // A Wayland session without the Wayland plugin: X is tried next, and has no display either.
        {{"Could not find the Qt platform plugin \"wayland\" in \"\"", "could not connect to display ",
          "Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.", gaveUp},
         {Cause::MissingPlugin, "wayland"}},
        // The plugin's own libraries are missing.
        {{"Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.", gaveUp},
         {Cause::UnloadablePlugin, "xcb"}},
        {{"Could not find the Qt platform plugin \"nosuch\" in \"\"", gaveUp},
         {Cause::MissingPlugin, "nosuch"}},
    };
    for (auto const& [messages, cause] : cases)
        EXPECT_TRUE(startupFailure(messages) == cause) << messages.join(u'|').toStdString();
    EXPECT_EQ(packageOfPlatformPlugin(QStringLiteral("wayland")), QStringLiteral("qt6-wayland"));
    EXPECT_EQ(packageOfPlatformPlugin(QStringLiteral("xcb")), QStringLiteral("libqt6gui6"));
    EXPECT_EQ(packageOfPlatformPlugin(QStringLiteral("nosuch")), QString());
}

// Through Qt itself: a plugin that does not exist ends the program with one line that names it.
TEST(ProgramDeathTest, APlatformPluginThatCannotBeLoadedIsNamedInOneLine) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    bool traced = false;
    EXPECT_EXIT(run({"sample", "-platform", "nosuch"}, traced), ::testing::ExitedWithCode(1),
                "^sample: cannot open its window: Qt has no platform plugin \"nosuch\"\n$");
}

TEST(ProgramTest, TheStepsOptionOpensTheStepWindow) {
    bool traced = false;
    EXPECT_EQ(run({"sample", "-platform", "offscreen", "--steps"}, traced), 0);
    EXPECT_TRUE(g_stepsShown);
    EXPECT_EQ(run({"sample", "-platform", "offscreen"}, traced), 0);
    EXPECT_FALSE(g_stepsShown);
}

} // namespace
} // namespace host
