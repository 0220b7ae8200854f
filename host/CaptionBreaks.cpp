#include "host/CaptionBreaks.h"

#include <QStringView>

#include <algorithm>
#include <optional>
#include <vector>

namespace host {

namespace {

bool isHiragana(char16_t c) { return c >= u'\u3041' && c <= u'\u309F'; }
// Katakana, with the prolonged sound mark; without the middle dot, which is punctuation.
bool isKatakana(char16_t c) {
    return (c >= u'\u30A1' && c <= u'\u30FF' && c != u'・') || (c >= u'\u31F0' && c <= u'\u31FF');
}
bool isKana(char16_t c) { return isHiragana(c) || isKatakana(c); }
bool isKanji(char16_t c) {
    return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') || c == u'々';
}
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

// The text without the spaces at its ends; a no-break space stays, as part of its word.
QString trimSpaces(QString text) {
    while (text.endsWith(u' '))
        text.chop(1);
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ')
        ++first;
    return text.mid(first);
}

// What kind of break may stand between before and after, two characters that are not spaces.
Break breakBetween(char16_t before, char16_t after) {
    if (neverStartsALine(after) || neverEndsALine(before))
        return Break::None;
    // Hiragana stay with what comes before them: a kanji's okurigana, a particle, the rest of a
    // word; katakana with the katakana before them, the rest of their word.
    if (isHiragana(after) || (isKatakana(after) && isKatakana(before)))
        return Break::None;
    // A run of Latin letters and digits stays whole, with the points and commas inside it (1.0.0).
    if ((isWordCharacter(before) || before == u'.' || before == u',') && isWordCharacter(after))
        return Break::None;
    // After a run of hiragana (okurigana or a particle), after closing punctuation, before an
    // opening bracket: between phrases. A katakana word followed by kanji is one compound
    // (エラー出力, メンバー名).
    bool const closes =
        neverStartsALine(before) && !isKana(before) && before != u'・' && before != u'…' && before != u'‥';
    if (isHiragana(before) || closes || neverEndsALine(after))
        return Break::Good;
    return Break::Allowed;
}

// The break at position i of caption, between its characters i - 1 and i. Spaces between words are
// a good break, as long as the words on either side may end and start a line.
Break breakAt(QString const& caption, qsizetype i) {
    if (caption[i] != u' ' && caption[i - 1] != u' ') {
        Break const between = breakBetween(caption[i - 1].unicode(), caption[i].unicode());
        // One hiragana between kanji that is no particle joins a compound verb (並べ替え, 呼び出す).
        bool const compound = between == Break::Good && isHiragana(caption[i - 1].unicode()) && i >= 2 &&
                              isKanji(caption[i - 2].unicode()) && isKanji(caption[i].unicode()) &&
                              std::u16string_view(u"をにでがはのとへもや").find(caption[i - 1].unicode()) ==
                                  std::u16string_view::npos;
        return compound ? Break::Allowed : between;
    }
    if (caption[i - 1] == u' ')
        return Break::None; // the break stands where the spaces start
    qsizetype next = i;
    while (next < caption.size() && caption[next] == u' ')
        ++next;
    // A particle after a space still belongs to the word before it (Compare だけ).
    if (next == caption.size() || neverEndsALine(caption[i - 1].unicode()) ||
        neverStartsALine(caption[next].unicode()) || isHiragana(caption[next].unicode()))
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
            if (measure.width(trimSpaces(caption.mid(start, candidate - start)), size) > width)
                break;
            end = candidate;
        }
        if (!end)
            return std::nullopt;
        lines << trimSpaces(caption.mid(start, *end - start));
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

QStringList breakParagraph(QString const& paragraph, qreal width,
                           std::function<qreal(QString const& line)> const& lineWidth) {
    QStringList lines;
    qsizetype start = 0;
    while (start < paragraph.size()) {
        // The furthest phrase break whose line fits; else the furthest break of any kind; else the
        // first break of any kind, for a line that cannot fit.
        std::optional<qsizetype> end;
        for (Break least : {Break::Good, Break::Allowed}) {
            for (qsizetype i = start + 1; i <= paragraph.size(); ++i) {
                if (i < paragraph.size() && breakAt(paragraph, i) < least)
                    continue;
                if (lineWidth(trimSpaces(paragraph.mid(start, i - start))) > width) {
                    if (!end && least == Break::Allowed)
                        end = i;
                    break;
                }
                end = i;
            }
            if (end)
                break;
        }
        lines << trimSpaces(paragraph.mid(start, *end - start));
        start = *end;
        while (start < paragraph.size() && paragraph[start] == u' ')
            ++start;
    }
    return lines;
}

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
