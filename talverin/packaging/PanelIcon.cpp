// Talverin's icon for panel sizes (16 to 32 pixels), drawn after its scalable icon.
#include "packaging/icons/GridPainter.h"

namespace talverin {

using icons::kWhite;
using icons::kYellow;

// Bars of rising height, the highest yellow, and an arrow over them: sorting.
void drawPanelIcon(icons::GridPainter& p) {
    p.box(0, 0, 16, 16, QColor(0x2b, 0x57, 0x97), 2.5);
    p.box(2, 10, 2, 4, kWhite);
    p.box(5, 8, 2, 6, kWhite);
    p.box(8, 6, 2, 8, kWhite);
    p.box(11, 4, 3, 10, kYellow);
    p.line(3, 6, 7, 3, 1.5, kYellow);
    p.triangle({6, 1}, {10, 1}, {8, 5}, kYellow);
}

} // namespace talverin
