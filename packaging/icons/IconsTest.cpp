// The icons drawn for panel sizes keep the figures of the scalable ones apart: counted as the shapes
// of light ink that stand apart on the dark tile, Talverin shows four bars and an arrow, Pelora
// three heads and three bodies, and Ambulon three inputs and three results each linked on its own to
// the function (no bar that would join them into letters).
#include "packaging/icons/DrawIcons.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The shapes of light ink on the tile (or of white ink only), each a set of pixels joined side by
// side or corner to corner.
int shapes(QImage const& icon, bool whiteOnly = false) {
    QRgb const tile = icon.pixel(icon.width() / 2, 0);
    auto const ink = [&](int x, int y) {
        QRgb const pixel = icon.pixel(x, y);
        if (whiteOnly)
            return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
        return qAlpha(pixel) > 128 && qGray(pixel) > qGray(tile) + 64;
    };
    std::vector<bool> seen(std::size_t(icon.width() * icon.height()));
    int count = 0;
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            if (!ink(x, y) || seen[std::size_t(y * icon.width() + x)])
                continue;
            ++count;
            std::vector<QPoint> stack{{x, y}};
            seen[std::size_t(y * icon.width() + x)] = true;
            while (!stack.empty()) {
                QPoint const p = stack.back();
                stack.pop_back();
                for (QPoint const step : {QPoint(1, 0), QPoint(1, 1), QPoint(0, 1), QPoint(-1, 1),
                                          QPoint(-1, 0), QPoint(-1, -1), QPoint(0, -1), QPoint(1, -1)}) {
                    QPoint const next = p + step;
                    if (!icon.rect().contains(next) || !ink(next.x(), next.y()) ||
                        seen[std::size_t(next.y() * icon.width() + next.x())])
                        continue;
                    seen[std::size_t(next.y() * icon.width() + next.x())] = true;
                    stack.push_back(next);
                }
            }
        }
    }
    return count;
}

TEST(IconsTest, EverySmallIconKeepsItsFiguresApart) {
    struct Expected {
        char const* id;
        int shapes;
    };
    for (Expected const& icon : {Expected{"org.genalgo.Talverin", 5}, Expected{"org.genalgo.Pelora", 6},
                                 Expected{"org.genalgo.Ambulon", 1}}) {
        for (int size : {16, 22, 24, 32}) {
            QImage const image = drawIcon(QString::fromUtf8(icon.id), size);
            ASSERT_EQ(image.size(), QSize(size, size));
            EXPECT_EQ(shapes(image), icon.shapes) << icon.id << " at " << size << " px";
        }
    }
    // Ambulon's white links meet only under the function's yellow disc: each input and each link
    // to a result stands alone.
    for (int size : {16, 22, 24, 32})
        EXPECT_EQ(shapes(drawIcon(QStringLiteral("org.genalgo.Ambulon"), size), true), 6)
            << "Ambulon at " << size;
    EXPECT_TRUE(drawIcon(QStringLiteral("org.genalgo.Unknown"), 16).isNull());
}

} // namespace
