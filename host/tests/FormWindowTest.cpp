#include "host/FormWindow.h"

#include "host/CommandButton.h"
#include "host/UiFont.h"

#include "host/testing/FormHarness.h"
#include "runtime/testing/RuntimeTesting.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <new>

#include <memory>
#include <stdexcept>

namespace host {
namespace {

using testing::FormHarness;

// A sample form: two buttons, a list box and a second list box, listed in an order that is no
// rotation of their tab order, and a button at a position between two pixels.
constexpr form::ControlLayout kControls[] = {
    {form::ControlKind::CommandButton, "Command1", 0, u"追加", 3120, 120, 1215, 495, 1},
    {form::ControlKind::ListBox, "List2", form::kNoIndex, u"", 1560, 120, 1455, 3480, 3},
    {form::ControlKind::ListBox, "List1", form::kNoIndex, u"", 120, 120, 1455, 3480, 0},
    {form::ControlKind::CommandButton, "Command1", 1, u"失敗", 3120, 610, 1215, 615, 2},
};
constexpr form::FormLayout kLayout{u"見本－フォーム", 1185, 1920, 4470, 3810, kControls};

// Button 0 clears List1 and lists the index; button 1 adds a line and then fails.
class SampleForm final : public form::Form {
public:
    form::FormLayout const& layout() const override { return kLayout; }
    void Command1_Click(std::int16_t Index) override {
        clicks.push_back(Index);
        if (Index == 0) {
            List1.Clear();
            List1.AddItem(u"押された " + runtime::decimalText(Index));
            List2.AddItem(u"b");
            List2.AddItem(u"a");
            return;
        }
        List1.AddItem(u"途中");
        if (throwStandard)
            throw std::length_error("sample length error");
        runtime::raise(runtime::ErrorKind::Overflow, runtime::en("sample failure"),
                       runtime::ja("見本の計算が 32 ビット整数に収まりません"));
    }

    form::ListBox List1{*this, "List1"};
    form::ListBox List2{*this, "List2"};
    std::vector<int> clicks;
    bool throwStandard = false;
};

TEST(FormWindowTest, WindowHasTheStoredCaptionClientAreaAndControlGeometry) {
    FormHarness<SampleForm> harness;
    FormWindow& window = harness.window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("見本－フォーム"));
    EXPECT_EQ(window.geometry(), QRect(79, 128, 298, 254));
    EXPECT_EQ(window.listWidget("List1")->geometry(), QRect(8, 8, 97, 232));
    EXPECT_EQ(window.listWidget("List2")->geometry(), QRect(104, 8, 97, 232));
    EXPECT_EQ(window.commandButton(0)->geometry(), QRect(208, 8, 81, 33));
    EXPECT_EQ(window.commandButton(1)->geometry(), QRect(208, 41, 81, 41)); // 610 twips round to 41
    EXPECT_EQ(window.commandButton(1)->text(), QStringLiteral("失敗"));
    EXPECT_EQ(window.commandButton(0)->objectName(), QStringLiteral("Command1(0)"));
    EXPECT_EQ(window.commandButton(2), nullptr);
    EXPECT_EQ(window.commandButtonCount(), 2);
}

TEST(FormWindowTest, ACaptionSetLaterIsFittedToo) {
    FormHarness<SampleForm> harness;
    auto& button = dynamic_cast<CommandButton&>(*harness.window.commandButton(0));
    button.setText(QStringLiteral("長い見出しを付け直す"));
    (void)button.grab();
    EXPECT_TRUE(button.captionText().contains(QLatin1Char('\n'))) << button.captionText().toStdString();
    EXPECT_EQ(testing::buttonsWhoseCaptionDoesNotFit(harness.window), std::vector<std::string>{});
}

TEST(FormWindowTest, TabOrderFollowsTheStoredOrder) {
    FormHarness<SampleForm> harness;
    QWidget* const first = harness.window.listWidget("List1");
    std::vector<QWidget*> const expected{harness.window.commandButton(0), harness.window.commandButton(1),
                                         harness.window.listWidget("List2"), first};
    QWidget* current = first;
    for (QWidget* next : expected) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus)
            current = current->nextInFocusChain();
        EXPECT_EQ(current, next) << current->objectName().toStdString();
    }
}

TEST(FormWindowTest, ClicksReachTheHandlerWithTheButtonIndexAndListsKeepOrder) {
    FormHarness<SampleForm> harness;
    EXPECT_TRUE(harness.lines("List1").isEmpty());
    EXPECT_TRUE(harness.lines("List2").isEmpty());
    harness.click(0);
    harness.click(0);
    EXPECT_EQ(harness.form.clicks, (std::vector<int>{0, 0}));
    EXPECT_EQ(harness.lines("List1"), QStringList{QStringLiteral("押された 0")});
    EXPECT_EQ(harness.lines("List2"), (QStringList{"b", "a", "b", "a"}));
    EXPECT_TRUE(harness.errors.empty());
}

TEST(FormWindowTest, AnErrorIsReportedAndTheWindowKeepsWorking) {
    FormHarness<SampleForm> harness;
    harness.click(0);
    harness.click(1);
    ASSERT_EQ(harness.errors.size(), 1u);
    EXPECT_EQ(harness.errors[0].kind(), runtime::ErrorKind::Overflow);
    EXPECT_STREQ(harness.errors[0].what(), "overflow: sample failure");
    EXPECT_EQ(harness.lines("List1"), (QStringList{QStringLiteral("押された 0"), QStringLiteral("途中")}));

    harness.click(0);
    EXPECT_EQ(harness.form.clicks, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(harness.lines("List1"), QStringList{QStringLiteral("押された 0")});
    EXPECT_EQ(harness.errors.size(), 1u);
}

TEST(FormWindowTest, AStandardExceptionIsReportedAsAFailedCallAndTheWindowKeepsWorking) {
    FormHarness<SampleForm> harness;
    harness.form.throwStandard = true;
    harness.click(1);
    ASSERT_EQ(harness.errors.size(), 1u);
    EXPECT_EQ(harness.errors[0].kind(), runtime::ErrorKind::FailedCall);
    EXPECT_STREQ(harness.errors[0].what(), "failed call: sample length error");
    harness.click(0);
    EXPECT_EQ(harness.lines("List1"), QStringList{QStringLiteral("押された 0")});
}

// Without a reporter of its own, the window reports a failed click in a modal message box that
// speaks Japanese: the kind and the Japanese detail of the error, broken between phrases. Once the
// box is closed, the window works on.
TEST(FormWindowTest, AFailedClickIsReportedInJapaneseInAModalMessageBox) {
    SampleForm form;
    FormWindow window(form);
    window.show();
    std::pair<bool, QString> const cases[] = {
        {false, u"実行時エラー: オーバーフローしました。見本の計算が 32 ビット整数に収まりません。"_qs},
        {true, u"実行時エラー: 呼び出しに失敗しました。想定外の例外「sample length error」が発生しました。"_qs},
    };
    for (auto const& [throwStandard, expected] : cases) {
        form.throwStandard = throwStandard;
        QString shown;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        // Read from inside the box's own event loop, then closed; whatever is modal is closed at the
        // last try, so that a box that never comes cannot hold the test.
        int tries = 0;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* const box = window.findChild<QMessageBox*>(QStringLiteral("error"));
            if (box && box->isVisible()) {
                shown = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
                icon = box->icon();
                box->done(0);
            } else if (++tries < 500) {
                return;
            } else if (QWidget* const modal = QApplication::activeModalWidget()) {
                modal->close();
            }
            poll.stop();
        });
        poll.start();
        testing::clickWidget(*window.commandButton(1));
        poll.stop();
        EXPECT_EQ(icon, QMessageBox::Critical);
        EXPECT_EQ(testing::lineBreakFaults(expected, shown.split(u'\n'), true), std::vector<std::string>{})
            << shown.toStdString();
    }
    EXPECT_EQ(window.findChild<QMessageBox*>(), nullptr);
    testing::clickWidget(*window.commandButton(0));
    EXPECT_EQ(testing::linesOf(*window.listWidget("List1")), QStringList{QStringLiteral("押された 0")});
}

TEST(FormWindowTest, AReportThatCannotBeMadeBecomesOneLineOnStandardError) {
    FormHarness<SampleForm> harness;
    int attempts = 0;
    harness.window.setErrorReporter([&](runtime::RuntimeError const&) {
        ++attempts;
        throw std::bad_alloc();
    });
    ::testing::internal::CaptureStderr();
    harness.click(1);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "overflow: sample failure\n");
    EXPECT_EQ(attempts, 1);
    harness.click(0);
    EXPECT_EQ(harness.lines("List1"), QStringList{QStringLiteral("押された 0")});
}

TEST(FormWindowTest, F1ShowsTheAboutWindowAndCtrlQClosesTheWindow) {
    FormHarness<SampleForm> harness;
    QApplication::setActiveWindow(&harness.window);
    QTest::keyClick(&harness.window, Qt::Key_F1);
    EXPECT_EQ(harness.window.findChild<QMessageBox*>(), nullptr); // nothing to show yet
    harness.window.setAbout(QStringLiteral("見本"), QStringLiteral("見本の説明"));
    QTest::keyClick(&harness.window, Qt::Key_F1);
    QTest::keyClick(&harness.window, Qt::Key_F1);
    auto const boxes = harness.window.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.front()->isVisible());
    EXPECT_EQ(boxes.front()->text(), QStringLiteral("見本の説明"));
    boxes.front()->close();
    QApplication::setActiveWindow(&harness.window);
    ASSERT_TRUE(harness.window.isVisible());
    QTest::keyClick(&harness.window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(harness.window.isVisible());
}

// In each Japanese face, the About window shows its text broken between phrases, in lines that the
// window does not wrap again, and a button in Japanese whatever the locale.
TEST(FormWindowTest, TheAboutWindowBreaksItsTextBetweenPhrases) {
    QString const text =
        u"見本（並べ替え） 1.0.0\n\n"
        u"差し替えられる比較オブジェクトで9つの整数を並べ替えます。並べ替えが知っているのは、"
        u"比較オブジェクト（コンパレーター）のインターフェース ICompare の Compare だけです。\n\n"
        u"ボタンを押したときにアルゴリズムがインターフェースをどう呼び出すかは、端末から"
        u"「sample\u00A0--trace」で起動すると、1回の呼び出しにつき1行ずつ標準エラー出力に表示されます。"_qs;
    testing::inEveryJapaneseFace([&](QString const& face) {
        FormHarness<SampleForm> harness;
        harness.window.setAbout(QStringLiteral("見本"), text);
        QApplication::setActiveWindow(&harness.window);
        QTest::keyClick(&harness.window, Qt::Key_F1);
        auto* const box = harness.window.findChild<QMessageBox*>();
        ASSERT_NE(box, nullptr);
        auto* const label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        QStringList const shown = label->text().split(QStringLiteral("\n\n"));
        QStringList const paragraphs = text.split(QStringLiteral("\n\n"));
        ASSERT_EQ(shown.size(), paragraphs.size());
        QFontMetricsF const metrics(label->font());
        for (qsizetype i = 0; i < shown.size(); ++i) {
            QStringList const lines = shown[i].split(QLatin1Char('\n'));
            EXPECT_EQ(testing::lineBreakFaults(paragraphs[i], lines, true), std::vector<std::string>{});
            for (QString const& line : lines)
                EXPECT_LE(metrics.horizontalAdvance(line), label->contentsRect().width())
                    << line.toStdString();
        }
        EXPECT_GT(label->text().count(QLatin1Char('\n')), 6);
        EXPECT_EQ(box->button(QMessageBox::Close)->text(), QStringLiteral("閉じる"));
        testing::saveScreenshot(*box, QStringLiteral("about-") + QString(face).remove(u' ') + ".png");
        box->close();
    });
}

TEST(FormWindowTest, ClosingOneOfTwoWindowsOnAFormLeavesTheOtherWorking) {
    SampleForm form;
    auto first = std::make_unique<FormWindow>(form);
    FormWindow second(form);
    first.reset();
    testing::clickWidget(*second.commandButton(0));
    EXPECT_EQ(testing::linesOf(*second.listWidget("List1")), QStringList{QStringLiteral("押された 0")});
}

TEST(FormWindowTest, TabSpaceAndEnterDriveTheButtonsFromTheKeyboard) {
    FormHarness<SampleForm> harness;
    QApplication::setActiveWindow(&harness.window);
    harness.window.listWidget("List1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QPushButton* const button = harness.window.commandButton(0);
    ASSERT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return harness.form.clicks.size() == 2; }));
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return harness.form.clicks.size() == 3; }));
    QTest::keyClick(button, Qt::Key_Return, Qt::ControlModifier);
    QTest::qWait(300);
    EXPECT_EQ(harness.form.clicks, (std::vector<int>{0, 0, 0}));
    QTest::keyClick(button, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), harness.window.commandButton(1));
}

TEST(FormWindowTest, AListBoxShownOnNoWindowRaisesFailedCall) {
    SampleForm form;
    EXPECT_TRUE(runtime::testing::raises(runtime::ErrorKind::FailedCall, [&] { form.List1.AddItem(u"x"); }));
    {
        FormWindow window(form);
        form.List1.AddItem(u"x");
    }
    EXPECT_TRUE(runtime::testing::raises(runtime::ErrorKind::FailedCall, [&] { form.List1.Clear(); }));
}

// A layout that names a list box the form does not have.
constexpr form::ControlLayout kMismatchedControls[] = {
    {form::ControlKind::ListBox, "List1", form::kNoIndex, u"", 120, 120, 1455, 3480, 0},
    {form::ControlKind::ListBox, "List9", form::kNoIndex, u"", 1560, 120, 1455, 3480, 1},
};
constexpr form::FormLayout kMismatchedLayout{u"x", 0, 0, 3000, 3000, kMismatchedControls};

// A form with one list box, List1, whose handler does nothing, shown by a layout that is wrong.
template <form::FormLayout const& Layout>
class FormWithWrongLayout final : public form::Form {
public:
    form::FormLayout const& layout() const override { return Layout; }
    void Command1_Click(std::int16_t) override {}
    form::ListBox List1{*this, "List1"};
};

TEST(FormWindowTest, ALayoutNamingAMissingListBoxIsRejectedBeforeAnythingIsBound) {
    FormWithWrongLayout<kMismatchedLayout> form;
    EXPECT_TRUE(runtime::testing::raises(runtime::ErrorKind::FailedCall, [&] { FormWindow window(form); }));
    EXPECT_TRUE(runtime::testing::raises(runtime::ErrorKind::FailedCall, [&] { form.List1.AddItem(u"x"); }));
}

constexpr form::ControlLayout kUnindexedButton[] = {
    {form::ControlKind::ListBox, "List1", form::kNoIndex, u"", 120, 120, 1455, 3480, 0},
    {form::ControlKind::CommandButton, "Command1", form::kNoIndex, u"x", 3120, 120, 1215, 495, 1},
};
constexpr form::FormLayout kUnindexedLayout{u"x", 0, 0, 3000, 3000, kUnindexedButton};

TEST(FormWindowTest, AButtonWithoutAValidIndexIsRejected) {
    FormWithWrongLayout<kUnindexedLayout> form;
    EXPECT_TRUE(
        runtime::testing::raises(runtime::ErrorKind::InvalidArgument, [&] { FormWindow window(form); }));
    EXPECT_TRUE(runtime::testing::raises(runtime::ErrorKind::FailedCall, [&] { form.List1.Clear(); }));
}

TEST(FormWindowTest, ScreenshotOfTheWindowIsSaved) {
    FormHarness<SampleForm> harness;
    harness.click(0);
    QString const path = QStringLiteral("host-sample.png");
    ASSERT_TRUE(testing::saveScreenshot(harness.window, path));
    QImage const image(path);
    EXPECT_EQ(image.size(), harness.window.size() * harness.window.devicePixelRatio());
}

} // namespace
} // namespace host
