#include "packaging/icons/DrawIcons.h"

#include "packaging/icons/GridPainter.h"

#include <QImage>
#include <QString>

QImage drawIcon(QString const& id, int size) {
    for (icons::PanelIcon const& icon : icons::panelIcons()) {
        if (id != QLatin1String(icon.id))
            continue;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        icons::GridPainter painter(image, size);
        icon.draw(painter);
        return image;
    }
    return {};
}
