// Usage: draw_icons ID SIZE OUTPUT.png (see DrawIcons.h).
#include "packaging/icons/DrawIcons.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: draw_icons ID SIZE OUTPUT.png\n");
        return 2;
    }
    QImage const image = drawIcon(QString::fromUtf8(argv[1]), std::atoi(argv[2]));
    if (image.isNull()) {
        std::fprintf(stderr, "draw_icons: no icon for %s\n", argv[1]);
        return 1;
    }
    return image.save(QString::fromUtf8(argv[3])) ? 0 : 1;
}
