#pragma once

#include <QAbstractScrollArea>
#include <QMargins>
#include <QResizeEvent>
#include <QShowEvent>

#include <cmath>

namespace host {

// A scroll area (a list, a table) whose frame stays whole at any scale. At a fractional device pixel
// ratio an edge of the viewport can fall inside a device pixel; Qt then paints the viewport out to
// the whole pixel, over the frame's line (at 1.5, the bottom line of every list box disappeared).
// Where an edge falls inside a pixel, the viewport gives up one logical pixel on that side.
template <class ScrollArea>
class WholeFrame : public ScrollArea {
public:
    using ScrollArea::ScrollArea;

protected:
    void resizeEvent(QResizeEvent* event) override {
        keepFrameVisible();
        ScrollArea::resizeEvent(event);
    }
    void showEvent(QShowEvent* event) override {
        keepFrameVisible();
        ScrollArea::showEvent(event);
    }

private:
    void keepFrameVisible() {
        qreal const ratio = this->devicePixelRatioF();
        int const frame = this->frameWidth();
        auto inside = [ratio](int logical) {
            qreal const device = logical * ratio;
            return device != std::floor(device);
        };
        // The left and top margins are the view's own: a table keeps its headers there.
        QMargins const margins = this->viewportMargins();
        this->setViewportMargins(margins.left(), margins.top(), inside(this->width() - frame) ? 1 : 0,
                                 inside(this->height() - frame) ? 1 : 0);
    }
};

} // namespace host
