#include "packaging/icons/DrawIcons.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cmath>

namespace {

QColor const kWhite(0xff, 0xff, 0xff);
QColor const kYellow(0xff, 0xc4, 0x0d);

// A painter that takes coordinates in units of a 16-unit grid and puts every edge on a pixel.
class GridPainter {
public:
    GridPainter(QImage& image, int size) : m_painter(&image), m_scale(size / 16.0) {
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setPen(Qt::NoPen);
    }
    int px(double units) const { return static_cast<int>(std::lround(units * m_scale)); }
    QRect rect(double x, double y, double w, double h) const {
        return QRect(QPoint(px(x), px(y)), QPoint(px(x + w) - 1, px(y + h) - 1));
    }
    void box(double x, double y, double w, double h, QColor color, double radius = 0) {
        m_painter.setBrush(color);
        QRect const r = rect(x, y, w, h);
        if (radius > 0)
            m_painter.drawRoundedRect(QRectF(r), radius * m_scale, radius * m_scale);
        else
            m_painter.fillRect(r, color);
    }
    void line(double x1, double y1, double x2, double y2, double width, QColor color) {
        QPen pen(color, std::max(1, px(width)), Qt::SolidLine, Qt::SquareCap);
        m_painter.setPen(pen);
        // Without antialiasing: a thin slanting line stays a solid staircase instead of a faint blur.
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        // A line of odd width runs through pixel centres.
        double const shift = px(width) % 2 == 1 ? 0.5 : 0;
        m_painter.drawLine(QPointF(px(x1) + shift, px(y1) + shift), QPointF(px(x2) + shift, px(y2) + shift));
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.setPen(Qt::NoPen);
    }
    void triangle(QPointF a, QPointF b, QPointF c, QColor color) {
        QPainterPath path;
        path.moveTo(px(a.x()), px(a.y()));
        path.lineTo(px(b.x()), px(b.y()));
        path.lineTo(px(c.x()), px(c.y()));
        path.closeSubpath();
        m_painter.fillPath(path, color);
    }

private:
    QPainter m_painter;
    double m_scale;
};

// Bars of rising height, the highest yellow, and an arrow over them: sorting.
void talverin(GridPainter& p) {
    p.box(0, 0, 16, 16, QColor(0x2b, 0x57, 0x97), 2.5);
    p.box(2, 10, 2, 4, kWhite);
    p.box(5, 8, 2, 6, kWhite);
    p.box(8, 6, 2, 8, kWhite);
    p.box(11, 4, 3, 10, kYellow);
    p.line(3, 6, 7, 3, 1.5, kYellow);
    p.triangle({6, 1}, {10, 1}, {8, 5}, kYellow);
}

// People of three heights, side by side: a roster sorted by an attribute. Each head stands apart
// from its body and each person a clear gap from the next, so that at 16 pixels the three do not run
// together.
void pelora(GridPainter& p) {
    p.box(0, 0, 16, 16, QColor(0x00, 0xa3, 0x00), 2.5);
    p.box(1, 6, 3, 3, kWhite, 1);
    p.box(1, 10, 3, 4, kWhite);
    p.box(6, 4, 3, 3, kWhite, 1);
    p.box(6, 8, 3, 6, kWhite);
    p.box(11, 1, 4, 4, kYellow, 1.5);
    p.box(11, 6, 4, 8, kYellow);
}

// Three values gathered into one function and spread into three results: lines run from the three
// inputs to the function and from it to the three results, slanting as in the scalable icon, so that
// no straight bar joins the boxes into letters.
void ambulon(GridPainter& p) {
    p.box(0, 0, 16, 16, QColor(0x9f, 0x00, 0xa7), 2.5);
    for (double y : {2.0, 7.0, 12.0}) {
        p.box(1, y, 3, 2, kWhite);
        p.box(12, y, 3, 2, kYellow);
    }
    // Each aimed at the centre of the function's disc, at 45 degrees or straight, so that a line of
    // one pixel stays solid and the links meet only inside the disc.
    for (double y : {3.0, 8.0, 13.0}) {
        p.line(3, y, 8, 8, 0.75, kWhite);
        p.line(12, y, 8, 8, 0.75, kWhite);
    }
    p.box(6, 6, 4, 4, kYellow, 2);
}

} // namespace

QImage drawIcon(QString const& id, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    GridPainter painter(image, size);
    if (id.endsWith(QStringLiteral(".Talverin")))
        talverin(painter);
    else if (id.endsWith(QStringLiteral(".Pelora")))
        pelora(painter);
    else if (id.endsWith(QStringLiteral(".Ambulon")))
        ambulon(painter);
    else
        return {};
    return image;
}
