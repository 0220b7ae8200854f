#include "host/UiFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>

#include <algorithm>

namespace host {

namespace {

// The tallest line, in ems (the width of a kanji).
constexpr qreal kMostLinePitch = 1.25;

} // namespace

void useJapaneseUiFont() {
    for (QString const& family : kJapaneseUiFaces) {
        if (QFontDatabase::hasFamily(family) && !QFontDatabase::isFixedPitch(family)) {
            QFont font(family, 9);
            font.setStyleHint(QFont::SansSerif);
            QApplication::setFont(font);
            return;
        }
    }
}

LineBox compactLineBox(QFont const& font) {
    QFontMetricsF const metrics(font);
    qreal const natural = metrics.ascent() + metrics.descent();
    qreal const em = metrics.horizontalAdvance(QChar(u'字'));
    qreal const pitch = std::min(natural, kMostLinePitch * em);
    return {pitch, natural > 0 ? metrics.ascent() * pitch / natural : 0};
}

} // namespace host
