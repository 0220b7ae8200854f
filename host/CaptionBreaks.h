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
// - A line breaks only between phrases: at a space, after a run of kana (a word's okurigana or a
//   particle), after closing punctuation or before an opening bracket. No line starts with kana (a
//   kanji keeps the kana that follow it, a particle stays with its word), a small kana, a prolonged
//   sound mark, closing punctuation, a middle dot or an ellipsis, and no line ends with an opening
//   bracket; a run of Latin letters and digits stays whole.
// - When no such break fits, the caption is drawn up to 1 point smaller. Only when that does not fit
//   either does it break between any two characters those rules allow, and shrink further, down to
//   smallestPointSize.
// With a point size of 0 or less (a font given in pixels) the caption keeps its size.
CaptionFit fitCaption(QString const& caption, qreal pointSize, qreal width, qreal height,
                      TextMeasure const& measure, qreal smallestPointSize = 5);

} // namespace host
