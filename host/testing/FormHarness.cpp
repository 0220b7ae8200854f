#include "host/testing/FormHarness.h"

#include "host/CommandButton.h"
#include "host/UiFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>
#include <QtMath>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace host::testing {

QStringList linesOf(QListWidget const& list) {
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines << list.item(row)->text();
    return lines;
}

void clickWidget(QPushButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

bool saveScreenshot(QWidget& widget, QString const& path) {
    // As a person sees it: laid out anew where a change asked for it, as the event loop does first.
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QPixmap const picture = widget.grab();
    return !picture.isNull() && picture.save(path, "PNG");
}

namespace {

// The dark pixels of image at the logical points that `where` accepts.
template <class Where>
int inkCount(QImage const& image, Where const& where) {
    qreal const ratio = image.devicePixelRatio();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (where(QPointF((x + 0.5) / ratio, (y + 0.5) / ratio)) && qGray(image.pixel(x, y)) < 96)
                ++ink;
        }
    }
    return ink;
}

// What is wrong with the caption as the button draws it: ink outside its area, or other ink inside
// it than the fitted caption in the fitted font leaves on its own (so a caption painted in another
// font shows, even where the painting clips it). Empty when nothing is wrong.
std::string captionDrawingFault(CommandButton& button, QRect const& area) {
    QImage const drawn = button.grab().toImage();
    QRectF const frame = QRectF(button.rect()).adjusted(3, 3, -3, -3);
    QRectF const around = QRectF(area).adjusted(-1, -1, 1, 1);
    auto const inside = [&](QPointF point) { return around.contains(point); };
    auto const outside = [&](QPointF point) { return frame.contains(point) && !around.contains(point); };
    if (int const strays = inkCount(drawn, outside))
        return std::to_string(strays) + " pixels of the caption drawn outside its area";
    QImage alone(drawn.size(), QImage::Format_ARGB32);
    alone.setDevicePixelRatio(drawn.devicePixelRatio());
    alone.fill(Qt::white);
    {
        QPainter painter(&alone);
        painter.setPen(Qt::black);
        CommandButton::paintCaption(painter, area, button.captionFont(), button.captionText());
    }
    int const expected = inkCount(alone, inside);
    int const actual = inkCount(drawn, inside);
    if (std::abs(actual - expected) > expected / 5 + 4)
        return "the caption leaves " + std::to_string(actual) + " dark pixels where the fitted one leaves " +
               std::to_string(expected);
    return {};
}

} // namespace

std::vector<std::string> buttonsWhoseCaptionDoesNotFit(FormWindow const& window) {
    std::vector<std::string> failing;
    for (int index = 0; index < window.commandButtonCount(); ++index) {
        auto const& button = dynamic_cast<CommandButton const&>(*window.commandButton(index));
        QRect const area = button.captionArea();
        QRectF const text = CommandButton::captionBlock(area, button.captionFont(), button.captionText());
        if (!QRectF(area).contains(text) || !button.rect().contains(area))
            failing.push_back(button.text().toStdString() + ": " + std::to_string(text.width()) + "x" +
                              std::to_string(text.height()) + " in " + std::to_string(area.width()) + "x" +
                              std::to_string(area.height()));
        else if (std::string const fault = captionDrawingFault(const_cast<CommandButton&>(button), area);
                 !fault.empty())
            failing.push_back(button.text().toStdString() + ": " + fault);
    }
    return failing;
}

void expectCaptionsFitUpTo16Points(FormWindow& window) {
    // Through style sheets, and through the window's font.
    EXPECT_EQ(buttonsWhoseCaptionDoesNotFit(window), std::vector<std::string>{}) << "default font";
    for (int points = 9; points <= 16; ++points) {
        window.setStyleSheet(QStringLiteral("* { font-size: %1pt; }").arg(points));
        EXPECT_EQ(buttonsWhoseCaptionDoesNotFit(window), std::vector<std::string>{}) << points << " pt";
    }
    window.setStyleSheet(QString());
    EXPECT_EQ(buttonsWhoseCaptionDoesNotFit(window), std::vector<std::string>{}) << "default font again";
    QFont const font = window.font();
    QFont large = font;
    large.setPointSize(16);
    window.setFont(large);
    EXPECT_EQ(buttonsWhoseCaptionDoesNotFit(window), std::vector<std::string>{}) << "16 pt set as the font";
    window.setFont(font);
}

void expectListFramesWhole(FormWindow const& window) {
    // The whole window is grabbed, as it is shown: a list's edges then fall on the same device
    // pixels as on the screen.
    QImage const image = const_cast<FormWindow&>(window).grab().toImage();
    qreal const ratio = image.devicePixelRatio();
    for (QListWidget const* list : window.findChildren<QListWidget*>()) {
        QRectF const logical = list->geometry();
        int const left = qCeil(logical.left() * ratio);
        int const top = qCeil(logical.top() * ratio);
        int const right = qFloor((logical.left() + logical.width()) * ratio) - 1;
        int const bottom = qFloor((logical.top() + logical.height()) * ratio) - 1;
        int const middleX = (left + right) / 2;
        int const middleY = (top + bottom) / 2;
        QRgb const inside = image.pixel(middleX, middleY);
        QRgb const background = image.pixel(0, 0);
        // Within the outermost two device pixels of each side, some pixel is neither the list's
        // inside nor the window's background: a line of the frame.
        auto line = [&](QRgb pixel) { return pixel != inside && pixel != background; };
        auto framed = [&](int x0, int y0, int x1, int y1) {
            return line(image.pixel(x0, y0)) || line(image.pixel(x1, y1));
        };
        std::string const name = list->objectName().toStdString();
        EXPECT_TRUE(framed(middleX, top, middleX, top + 1)) << name << " top";
        EXPECT_TRUE(framed(middleX, bottom, middleX, bottom - 1)) << name << " bottom";
        EXPECT_TRUE(framed(left, middleY, left + 1, middleY)) << name << " left";
        EXPECT_TRUE(framed(right, middleY, right - 1, middleY)) << name << " right";
    }
}

void expectEveryControlNamedAndDescribed(FormWindow const& window) {
    QStringList names;
    for (QWidget const* control : window.findChildren<QWidget*>()) {
        if (!qobject_cast<QPushButton const*>(control) && !qobject_cast<QListWidget const*>(control))
            continue;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->objectName().toStdString();
        EXPECT_FALSE(names.contains(control->accessibleName())) << control->accessibleName().toStdString();
        names << control->accessibleName();
    }
    EXPECT_FALSE(names.isEmpty());
}

void expectWholeListsAndEvenCaptions(FormWindow& window) {
    (void)window.grab(); // lays out and draws the window as it is shown
    QFont const font = window.font();
    for (QListWidget const* list : window.findChildren<QListWidget*>()) {
        std::string const name = list->objectName().toStdString() + " in " + font.family().toStdString();
        EXPECT_FALSE(list->verticalScrollBar()->isVisible()) << name;
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible()) << name;
        for (int row = 0; row < list->count(); ++row) {
            QRect const line = list->visualItemRect(list->item(row));
            EXPECT_TRUE(list->viewport()->rect().contains(line)) << name << ", line " << row + 1;
        }
    }
    for (int index = 0; index < window.commandButtonCount(); ++index) {
        auto const& button = dynamic_cast<CommandButton const&>(*window.commandButton(index));
        EXPECT_EQ(button.captionFont().family().toStdString(), font.family().toStdString())
            << button.text().toStdString();
        EXPECT_EQ(button.captionFont().pointSizeF(), font.pointSizeF())
            << button.text().toStdString() << " in " << font.family().toStdString();
    }
}

void inEveryJapaneseFace(std::function<void(QString const& face)> const& body) {
    for (QString const& face : kJapaneseUiFaces) {
        if (!QFontDatabase::hasFamily(face)) {
            ADD_FAILURE() << face.toStdString()
                          << " is not installed (scripts/install-deps test installs it)";
            return;
        }
    }
    QFont const previous = QApplication::font();
    for (QString const& face : kJapaneseUiFaces) {
        SCOPED_TRACE(face.toStdString());
        QApplication::setFont(QFont(face, 9));
        body(face);
    }
    QApplication::setFont(previous);
}

std::vector<std::string> lineBreakFaults(QString const& text, QStringList const& lines, bool betweenPhrases) {
    auto const hiragana = [](QChar c) { return c.unicode() >= 0x3041 && c.unicode() <= 0x309F; };
    auto const katakana = [](QChar c) {
        return c.unicode() >= 0x30A1 && c.unicode() <= 0x30FF && c != u'・' &&
               !u"ァィゥェォッャュョヮヵヶー"_qs.contains(c);
    };
    auto const latin = [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); };
    QString const neverFirst = u"ァィゥェォッャュョヮヵヶー、。，．,.・：；:;？！?!…‥」』）)］]"_qs;
    QString const opening = u"「『（(［["_qs;
    QString const closing = u"、。，．,.：；:;？！?!」』）)］]"_qs;
    std::vector<std::string> faults;
    qsizetype start = 0; // where the line starts in text
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString const& line = lines[i];
        std::string const shown = line.toStdString();
        if (line.isEmpty() || line.front() == u' ' || line.back() == u' ') {
            faults.push_back("line " + std::to_string(i + 1) + " is empty or not trimmed: '" + shown + "'");
            continue;
        }
        while (start < text.size() && text[start] == u' ')
            ++start;
        if (text.mid(start, line.size()) != line) {
            faults.push_back("line " + std::to_string(i + 1) + " is not the text that follows: " + shown);
            return faults;
        }
        if (i > 0) {
            QChar const last = lines[i - 1].back();
            QChar const first = line.front();
            bool const atSpace = text[start - 1] == u' ';
            if (hiragana(first) || neverFirst.contains(first))
                faults.push_back("a line starts with " + QString(first).toStdString() + ": " + shown);
            bool const latinLast = latin(last) || last == u'.' || last == u',';
            if (!atSpace && ((katakana(last) && katakana(first)) || (latinLast && latin(first))))
                faults.push_back("a word is split: " + lines[i - 1].toStdString() + " | " + shown);
            if (opening.contains(last))
                faults.push_back("a line ends with an opening bracket: " + lines[i - 1].toStdString());
            if (betweenPhrases && !atSpace && !hiragana(last) && !closing.contains(last) &&
                !opening.contains(first))
                faults.push_back("a line ends inside a phrase: " + lines[i - 1].toStdString() + " | " +
                                 shown);
        }
        start += line.size();
    }
    while (start < text.size() && text[start] == u' ')
        ++start;
    if (start != text.size())
        faults.push_back("the lines end before the text: " + text.mid(start).toStdString());
    return faults;
}

long residentKiB() {
    // The second field of statm is the resident set in pages.
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    if (!(statm >> size >> resident))
        return 0;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void expectEndurance(EnduranceRun const& run, int expectedLines) {
    std::cout << run.clicks << " clicks: live objects " << run.liveBefore << " -> " << run.liveAfter
              << ", resident " << run.residentBefore << " KiB -> " << run.residentAfter << " KiB\n";
    EXPECT_EQ(run.liveAfter, run.liveBefore);
    EXPECT_EQ(run.fewestLines, expectedLines);
    EXPECT_EQ(run.mostLines, expectedLines);
#if !defined(__SANITIZE_ADDRESS__)
    constexpr long kAllowedGrowthKiB = 1024;
    EXPECT_LE(run.residentAfter - run.residentBefore, kAllowedGrowthKiB);
#endif
}

} // namespace host::testing
