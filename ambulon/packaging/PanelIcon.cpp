// Ambulon's icon for panel sizes (16 to 32 pixels), drawn after its scalable icon.
#include "packaging/icons/GridPainter.h"

namespace ambulon {

using icons::kWhite;
using icons::kYellow;

// Three values gathered into one function and spread into three results: lines run from the three
// inputs to the function and from it to the three results, slanting as in the scalable icon, so that
// no straight bar joins the boxes into letters.
void drawPanelIcon(icons::GridPainter& p) {
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

} // namespace ambulon
