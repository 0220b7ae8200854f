#pragma once

#include <QFont>
#include <QString>

#include <array>

namespace host {

// The proportional Japanese gothics the windows are drawn in, the preferred first.
inline std::array<QString, 2> const kJapaneseUiFaces{QStringLiteral("Noto Sans CJK JP"),
                                                     QStringLiteral("IPAPGothic")};

// Makes the application font a proportional Japanese gothic at 9 points, so that kanji, kana, digits
// and Latin letters share one face under every locale: the first of kJapaneseUiFaces that is
// installed. A fixed-pitch face is never chosen; without either, the platform's font stays.
void useJapaneseUiFont();

// How the lines of a text are stacked: the distance from one line to the next, and from the top of
// a line to its baseline, in pixels.
struct LineBox {
    qreal pitch = 0;
    qreal ascent = 0;
};

// The line box of a font, no taller than 1.25 em. Faces made for Japanese such as Noto Sans CJK JP
// reserve room above and below every line (1.45 em in all) that horizontal text of kanji, kana and
// Latin letters never inks; at that spacing twenty lines no longer fit where twenty lines of other
// faces do. The baseline keeps the face's own share of the line above it.
LineBox compactLineBox(QFont const& font);

} // namespace host
