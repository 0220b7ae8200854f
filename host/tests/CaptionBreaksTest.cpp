// The caption break chooser as a pure function, with a metric where a full-width character is as
// wide as its point size, any other half that, and a line 1.5 times as tall.
#include "host/CaptionBreaks.h"

#include "host/testing/FormHarness.h"

#include <gtest/gtest.h>

#include <random>

namespace host {
namespace {

qreal widthOf(QString const& line, qreal size) {
    qreal width = 0;
    for (QChar c : line)
        width += c.unicode() < 0x2000 ? size / 2 : size;
    return width;
}

TextMeasure const kMeasure{widthOf,
                           [](QStringList const& lines, qreal size) { return lines.size() * size * 1.5; }};

CaptionFit fit(QString const& caption, qreal width, qreal size = 9, qreal height = 100) {
    return fitCaption(caption, size, width, height, kMeasure);
}

TEST(CaptionBreaksTest, TheProgramsCaptionsBreakBetweenPhrases) {
    EXPECT_EQ(fit(u"1・2・3…を引く"_qs, 100), (CaptionFit{{u"1・2・3…を引く"_qs}, 9}));
    // Too narrow for one line: the verb stays whole, after the particle.
    EXPECT_EQ(fit(u"1・2・3…を引く"_qs, 50), (CaptionFit{{u"1・2・3…を"_qs, u"引く"_qs}, 9}));
    EXPECT_EQ(fit(u"小さい順"_qs, 30), (CaptionFit{{u"小さい"_qs, u"順"_qs}, 9}));
    // A compound has no phrase break: a point smaller, on one line, rather than split.
    EXPECT_EQ(fit(u"文字列順"_qs, 33), (CaptionFit{{u"文字列順"_qs}, 8}));
    // Only where nothing else fits is it split, still at full size where it fits that way.
    EXPECT_EQ(fit(u"文字列順"_qs, 20), (CaptionFit{{u"文字"_qs, u"列順"_qs}, 9}));
    EXPECT_EQ(fit(u"x-10"_qs, 100), (CaptionFit{{u"x-10"_qs}, 9}));
    EXPECT_EQ(fit(u"「並べ替え」を選ぶ"_qs, 63), (CaptionFit{{u"「並べ替え」を"_qs, u"選ぶ"_qs}, 9}));
    EXPECT_EQ(fit(u"長さ（cm）の順"_qs, 45), (CaptionFit{{u"長さ"_qs, u"（cm）の順"_qs}, 9}));
    EXPECT_EQ(fit(u"sort by height"_qs, 40), (CaptionFit{{u"sort by"_qs, u"height"_qs}, 9}));
    // Too low for two lines: smaller, on one line.
    EXPECT_EQ(fit(u"小さい順"_qs, 30, 9, 14).lines, QStringList{u"小さい順"_qs});
}

// Random captions from every class of character, at random widths: the lines keep the rules of
// line breaking, and every line fits, unless the caption had to shrink to the smallest size.
TEST(CaptionBreaksTest, EveryChoiceKeepsTheRules) {
    QString const alphabet = u"漢字順引並身長をはがのさいっャーァ、。」）・…「（ abx12ボタンエ"_qs;
    std::mt19937 random(14);
    for (int round = 0; round < 3000; ++round) {
        QString caption;
        for (int n = 1 + int(random() % 12); n > 0; --n)
            caption += alphabet[int(random() % alphabet.size())];
        caption = caption.trimmed();
        if (caption.isEmpty())
            continue;
        qreal const width = 10 + random() % 90;
        CaptionFit const result = fit(caption, width, 9, 60);
        SCOPED_TRACE(caption.toStdString() + " in " + std::to_string(width));
        EXPECT_EQ(testing::lineBreakFaults(caption, result.lines, false), std::vector<std::string>{});
        if (result.pointSize > 5) {
            for (QString const& line : result.lines)
                EXPECT_LE(widthOf(line, result.pointSize), width) << line.toStdString();
        }
        EXPECT_LE(result.pointSize, 9);
        EXPECT_GE(result.pointSize, 5);
    }
}

// Running text breaks between phrases only, at every width where its longest phrase fits.
TEST(CaptionBreaksTest, AParagraphBreaksBetweenPhrases) {
    QString const text =
        u"ボタンを押したときにアルゴリズムがインターフェースをどう呼び出すかは、端末から「pelora\u00A0--"
        u"trace」"
        u"で起動すると標準エラー出力に表示されます。並べ替えが知っているのは ICompare の Compare だけです。"
        u"版は 1.0.0、長さは 12,345.6 です。"_qs;
    for (int width = 140; width <= 400; width += 7) {
        QStringList const lines =
            breakParagraph(text, width, [](QString const& line) { return widthOf(line, 9); });
        SCOPED_TRACE(width);
        EXPECT_EQ(testing::lineBreakFaults(text, lines, true), std::vector<std::string>{});
        for (QString const& compound : {u"並べ替え"_qs, u"呼び出す"_qs})
            EXPECT_TRUE(lines.join(u'|').contains(compound)) << lines.join(u'|').toStdString();
        for (QString const& line : lines)
            EXPECT_LE(widthOf(line, 9), width) << line.toStdString();
    }
}

} // namespace
} // namespace host
