#include "host/UiFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace host {

void useJapaneseUiFont() {
    for (QString const& family : {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")}) {
        if (QFontDatabase::hasFamily(family) && !QFontDatabase::isFixedPitch(family)) {
            QFont font(family, 9);
            font.setStyleHint(QFont::SansSerif);
            QApplication::setFont(font);
            return;
        }
    }
}

} // namespace host
