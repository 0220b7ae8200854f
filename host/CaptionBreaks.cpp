#include "host/CaptionBreaks.h"

#include <QStringView>

#include <algorithm>
#include <optional>
#include <vector>

namespace host {

namespace {

bool isHiragana(char16_t c) { return c >= u'\u3041' && c <= u'\u309F'; }
bool isKatakana(char16_t c) {
    return (c >= u'\u30A0' && c <= u'\u30FF') || (c >= u'\u31F0' && c <= u'\u31FF');
}
bool isKana(char16_t c) { return isHiragana(c) || isKatakana(c); }
bool isWordCharacter(char16_t c) { return (c < 0x80 && QChar::isLetterOrNumber(c)) || c == u'_'; }

// Characters that never start a line: small kana, the prolonged sound mark, closing punctuation,
// the middle dot and the ellipsis.
bool neverStartsALine(char16_t c) {
    static constexpr std::u16string_view kClosing =
        u"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶーゝゞヽヾ"
        u"、。，．,.・：；:;？！?!…‥」』）)］]｝}〕〉》】〙〗";
    return kClosing.find(c) != std::u16string_view::npos;
}
bool neverEndsALine(char16_t c) {
    static constexpr std::u16string_view kOpening = u"「『（(［[｛{〔〈《【〘〖";
    return kOpening.find(c) != std::u16string_view::npos;
}

enum class Break { None, Allowed, Good };

// What kind of break may stand between before and after, two characters that are not spaces.
Break breakBetween(char16_t before, char16_t after) {
    if (neverStartsALine(after) || neverEndsALine(before))
        return Break::None;
    // Kana stay with what comes before them: a kanji's okurigana, a particle, the rest of a kana word.
    if (isKana(after))
        return Break::None;
    if (isWordCharacter(before) && isWordCharacter(after))
        return Break::None;
    // After a run of kana (okurigana or a particle), after closing punctuation, before an opening
    // bracket: between phrases.
    bool const closes = neverStartsALine(before) && before != u'・' && before != u'…' && before != u'‥';
    if (isKana(before) || closes || neverEndsALine(after))
        return Break::Good;
    return Break::Allowed;
}

// The break at position i of caption, between its characters i - 1 and i. Spaces between words are
// a good break, as long as the words on either side may end and start a line.
Break breakAt(QString const& caption, qsizetype i) {
    if (caption[i] != u' ' && caption[i - 1] != u' ')
        return breakBetween(caption[i - 1].unicode(), caption[i].unicode());
    if (caption[i - 1] == u' ')
        return Break::None; // the break stands where the spaces start
    qsizetype next = i;
    while (next < caption.size() && caption[next] == u' ')
        ++next;
    if (next == caption.size() || neverEndsALine(caption[i - 1].unicode()) ||
        neverStartsALine(caption[next].unicode()))
        return Break::None;
    return Break::Good;
}

// The fewest lines, each no wider than width, breaking only where the break is at least `least`;
// nothing when some piece between two such breaks is wider than width.
std::optional<QStringList> breakLines(QString const& caption, Break least, qreal width, qreal size,
                                      TextMeasure const& measure) {
    std::vector<qsizetype> breaks; // the positions a new line may start at
    for (qsizetype i = 1; i < caption.size(); ++i) {
        if (breakAt(caption, i) >= least)
            breaks.push_back(i);
    }
    breaks.push_back(caption.size());
    QStringList lines;
    qsizetype start = 0;
    while (start < caption.size()) {
        // The furthest break whose line fits.
        std::optional<qsizetype> end;
        for (qsizetype candidate : breaks) {
            if (candidate <= start)
                continue;
            if (measure.width(caption.mid(start, candidate - start).trimmed(), size) > width)
                break;
            end = candidate;
        }
        if (!end)
            return std::nullopt;
        lines << caption.mid(start, *end - start).trimmed();
        start = *end;
        while (start < caption.size() && caption[start] == u' ')
            ++start;
    }
    return lines;
}

std::optional<QStringList> fitAt(QString const& caption, Break least, qreal width, qreal height, qreal size,
                                 TextMeasure const& measure) {
    auto lines = breakLines(caption, least, width, size, measure);
    if (lines && measure.height(*lines, size) > height)
        return std::nullopt;
    return lines;
}

} // namespace

CaptionFit fitCaption(QString const& caption, qreal pointSize, qreal width, qreal height,
                      TextMeasure const& measure, qreal smallestPointSize) {
    if (pointSize <= 0) {
        for (Break least : {Break::Good, Break::Allowed}) {
            if (auto lines = fitAt(caption, least, width, height, pointSize, measure))
                return {*lines, pointSize};
        }
        return {{caption}, pointSize};
    }
    // Phrase breaks, at the caption's size and down to a point smaller, where it still reads as
    // the size of its neighbours.
    qreal const nearSize = std::max(smallestPointSize, pointSize - 1);
    for (qreal size = pointSize; size >= nearSize; size -= 0.5) {
        if (auto lines = fitAt(caption, Break::Good, width, height, size, measure))
            return {*lines, size};
    }
    // Nothing else fits: any break the rules allow, smaller and smaller.
    qreal size = pointSize;
    for (; size > smallestPointSize; size = std::max(smallestPointSize, size - 0.5)) {
        if (auto lines = fitAt(caption, Break::Allowed, width, height, size, measure))
            return {*lines, size};
    }
    auto lines = breakLines(caption, Break::Allowed, width, smallestPointSize, measure);
    return {lines ? *lines : QStringList{caption}, smallestPointSize};
}

} // namespace host
