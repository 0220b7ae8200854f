#pragma once

#include <QFont>
#include <QPushButton>
#include <QString>

class QPainter;

namespace host {

// A command button whose caption always fits inside it, a few pixels clear of its sides. A caption
// wider than the button is wrapped onto further lines between phrases, and drawn smaller only where
// that does not fit (see fitCaption()). The fitting follows every change of font, style, size or
// text, and leaves the button's own font alone, so style sheets and desktop fonts keep reaching it.
// Enter presses the focused button, as Space does.
class CommandButton final : public QPushButton {
public:
    CommandButton(QString const& caption, QWidget* parent);

    // The caption as drawn: its lines, and the font they are drawn in.
    QString const& captionText() const { return m_text; }
    QFont const& captionFont() const { return m_font; }
    // Where the caption is drawn.
    QRect captionArea() const;
    // The lines of the caption as drawn, centred in area, one under another at the compact pitch of
    // font (see compactLineBox()).
    static QRectF captionBlock(QRectF const& area, QFont const& font, QString const& lines);
    static void paintCaption(QPainter& painter, QRectF const& area, QFont const& font, QString const& lines);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fitCaption();

    QString m_fittedCaption; // the text that m_text was fitted from
    QString m_text;
    QFont m_font;
};

} // namespace host
