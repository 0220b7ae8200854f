#include "runtime/formhost/CommandButton.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>

#include <algorithm>

namespace runtime {

namespace {

// The smallest size a caption shrinks to; below it a caption would no longer be readable anyway.
constexpr qreal kSmallestPointSize = 5;

QString wrapped(QString const& caption, QFont const& font, int width) {
    if (width <= 0 || QFontMetrics(font).horizontalAdvance(caption) <= width)
        return caption;
    QTextLayout layout(caption, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << caption.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines.join(QLatin1Char('\n'));
}

bool fits(QString const& text, QFont const& font, QSize area) {
    QSize const needed = QFontMetrics(font).size(0, text);
    return needed.width() <= area.width() && needed.height() <= area.height();
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
    QSize const area = captionArea().size();
    m_font = font();
    m_text = wrapped(text(), m_font, area.width());
    for (qreal size = m_font.pointSizeF(); size > kSmallestPointSize && !fits(m_text, m_font, area);) {
        size = std::max(kSmallestPointSize, size - 0.5);
        m_font.setPointSizeF(size);
        m_text = wrapped(text(), m_font, area.width());
    }
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
    // The style draws the button without a caption; the caption follows in its fitted font.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setFont(m_font);
    painter.drawItemText(captionArea(), Qt::AlignCenter, palette(), isEnabled(), m_text,
                         QPalette::ButtonText);
}

} // namespace runtime
