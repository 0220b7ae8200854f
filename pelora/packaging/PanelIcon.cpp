// Pelora's icon for panel sizes (16 to 32 pixels), drawn after its scalable icon.
#include "packaging/icons/GridPainter.h"

namespace pelora {

using icons::kWhite;
using icons::kYellow;

// People of three heights, side by side: a roster sorted by an attribute. Each head stands apart
// from its body and each person a clear gap from the next, so that at 16 pixels the three do not run
// together.
void drawPanelIcon(icons::GridPainter& p) {
    p.box(0, 0, 16, 16, QColor(0x00, 0xa3, 0x00), 2.5);
    p.box(1, 6, 3, 3, kWhite, 1);
    p.box(1, 10, 3, 4, kWhite);
    p.box(6, 4, 3, 3, kWhite, 1);
    p.box(6, 8, 3, 6, kWhite);
    p.box(11, 1, 4, 4, kYellow, 1.5);
    p.box(11, 6, 4, 8, kYellow);
}

} // namespace pelora
