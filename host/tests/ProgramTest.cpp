// A program's command line, read by runProgram itself as the installed programs read it: --trace
// makes the trace that each click writes to standard error, and an argument the program does not
// take ends it with the usage and exit status 2.
#include "host/Program.h"
#include "host/StepWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
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

// Runs the program with these arguments; once its window is up, presses its button and closes it.
// Says whether the form was made with a trace.
int run(std::vector<std::string> arguments, bool& traced) {
    qputenv("LC_ALL", "C.UTF-8"); // the messages as written here, whatever the machine's language
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(arguments.size());
    traced = false;
    g_stepsShown = false;
    ProgramParts parts{[] {
                           QTimer::singleShot(0, [] {
                               for (QWidget* window : QApplication::topLevelWidgets()) {
                                   if (dynamic_cast<StepWindow*>(window) && window->isVisible())
                                       g_stepsShown = true;
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

TEST(ProgramTest, AnArgumentItDoesNotTakeGivesTheUsageAndStatusTwo) {
    bool traced = false;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(run({"sample", "-platform", "offscreen", "stray"}, traced), 2);
    std::string const written = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("sample: unexpected argument 'stray'"), std::string::npos) << written;
    EXPECT_NE(written.find("--trace"), std::string::npos) << written;
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
