#include "host/CommandButton.h"

#include "host/CaptionBreaks.h"
#include "host/UiFont.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace host {

namespace {

// The smallest size a caption shrinks to; below it a caption would no longer be readable anyway.
constexpr qreal kSmallestPointSize = 5;
// Room kept between a caption and the sides of its button's contents, in pixels.
constexpr int kCaptionMargin = 2;

QFont sized(QFont font, qreal pointSize) {
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    return font;
}

} // namespace

CommandButton::CommandButton(QString const& caption, QWidget* parent) : QPushButton(caption, parent) {
    setAccessibleName(caption);
    fitCaption();
}

QRect CommandButton::captionArea() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void CommandButton::fitCaption() {
    QRect const area = captionArea().adjusted(kCaptionMargin, 0, -kCaptionMargin, 0);
    QFont const base = font();
    TextMeasure const measure{
        [&](QString const& line, qreal size) {
            return QFontMetricsF(sized(base, size)).horizontalAdvance(line);
        },
        [&](QStringList const& lines, qreal size) {
            return lines.size() * compactLineBox(sized(base, size)).pitch;
        },
    };
    // A caption's key marker is not drawn: "なぜ？(&W)" shows as なぜ？(W), and "&&" as one "&".
    QString caption = text();
    for (qsizetype at = caption.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < caption.size();
         at = caption.indexOf(QLatin1Char('&'), at + 1))
        caption.remove(at, 1);
    CaptionFit const fit =
        host::fitCaption(caption, base.pointSizeF(), area.width(), area.height(), measure, kSmallestPointSize);
    m_font = sized(base, fit.pointSize);
    m_text = fit.lines.join(QLatin1Char('\n'));
    m_fittedCaption = text();
    update();
}

void CommandButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitCaption();
}

void CommandButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    fitCaption();
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    bool const enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::paintEvent(QPaintEvent*) {
    // setText() tells a button nothing but to paint again: a new caption is fitted here.
    if (text() != m_fittedCaption)
        fitCaption();
    // The style draws the button without a caption; the caption follows in its fitted font.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    paintCaption(painter, captionArea(), m_font, m_text);
}

QRectF CommandButton::captionBlock(QRectF const& area, QFont const& font, QString const& lines) {
    QFontMetricsF const metrics(font);
    qreal width = 0;
    QStringList const split = lines.split(QLatin1Char('\n'));
    for (QString const& line : split)
        width = std::max(width, metrics.horizontalAdvance(line));
    qreal const height = split.size() * compactLineBox(font).pitch;
    return {area.center().x() - width / 2, area.center().y() - height / 2, width, height};
}

void CommandButton::paintCaption(QPainter& painter, QRectF const& area, QFont const& font,
                                 QString const& lines) {
    QFontMetricsF const metrics(font);
    LineBox const box = compactLineBox(font);
    qreal top = captionBlock(area, font, lines).top();
    painter.setFont(font);
    for (QString const& line : lines.split(QLatin1Char('\n'))) {
        painter.drawText(QPointF(area.center().x() - metrics.horizontalAdvance(line) / 2, top + box.ascent),
                         line);
        top += box.pitch;
    }
}

} // namespace host
