#pragma once

#include <QImage>
#include <QString>

// Draws the programs' icons for the small sizes of a desktop panel (16, 22, 24 and 32 pixels), each
// on a grid of 16 units whose every edge is rounded to a whole pixel, so that bars, heads and links
// stay sharp where the scalable icon would smear. A null image for an id without an icon.
QImage drawIcon(QString const& id, int size);
