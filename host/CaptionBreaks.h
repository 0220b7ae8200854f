#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace host {

// How wide a line of text is, and how tall a block of lines, at a given point size, in pixels.
struct TextMeasure {
    std::function<qreal(QString const& line, qreal pointSize)> width;
    std::function<qreal(QStringList const& lines, qreal pointSize)> height;
};

// A caption as it is drawn: its lines and their point size.
struct CaptionFit {
    QStringList lines;
    qreal pointSize = 0;
    friend bool operator==(CaptionFit const&, CaptionFit const&) = default;
};

// Fits a caption into a width and height at pointSize, as a Japanese reader expects to see it:
// - A line breaks only between phrases: at a space, after a run of hiragana (a word's okurigana or
//   a particle), after closing punctuation or before an opening bracket. No line starts with
//   hiragana (a kanji keeps the kana that follow it, a particle stays with its word, even after a
//   space), a small kana, a prolonged sound mark, closing punctuation, a middle dot or an ellipsis;
//   no line ends with an opening bracket; a katakana word, a compound of katakana and kanji and a
//   run of Latin letters and digits stay whole.
// - When no such break fits, the caption is drawn up to 1 point smaller. Only when that does not fit
//   either does it break between any two characters those rules allow, and shrink further, down to
//   smallestPointSize.
// With a point size of 0 or less (a font given in pixels) the caption keeps its size.
CaptionFit fitCaption(QString const& caption, qreal pointSize, qreal width, qreal height,
                      TextMeasure const& measure, qreal smallestPointSize = 5);

// Breaks a paragraph of running text into lines no wider than width, between phrases by the rules
// of fitCaption(); only a phrase that is wider than width on its own is broken inside, where those
// rules allow.
QStringList breakParagraph(QString const& paragraph, qreal width,
                           std::function<qreal(QString const& line)> const& lineWidth);

} // namespace host
