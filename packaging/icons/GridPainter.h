#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <span>

namespace icons {

inline QColor const kWhite(0xff, 0xff, 0xff);
inline QColor const kYellow(0xff, 0xc4, 0x0d);

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

// A program's icon for panel sizes: the id it is installed under, and its drawing on the 16-unit
// grid (NAME::drawPanelIcon, in NAME/packaging/PanelIcon.cpp).
struct PanelIcon {
    char const* id;
    void (*draw)(GridPainter&);
};

// The panel icon of every program in programs.txt, in its order; written by the build
// (packaging/icons/PanelIcons.cpp.in).
std::span<PanelIcon const> panelIcons();

} // namespace icons
