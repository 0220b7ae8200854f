#include "host/StepWidgets.h"

#include "host/CommandButton.h"
#include "host/StepTableModel.h"
#include "host/Utf16.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QTextDocument>

#include <algorithm>

namespace host {

namespace {

// A label wrapped to its width that asks for the height its lines take there: the pages it stands on
// do not ask their labels for heights by width, and would cut a long text short.
class WrappedLabel final : public QLabel {
public:
    using QLabel::QLabel;

    void fitHeight() {
        if (width() <= 0)
            return;
        // A label's height for a width is never less than its minimum height: measured without it.
        setMinimumHeight(0);
        m_fitted = text().isEmpty() ? 0 : heightForWidth(width());
        setMinimumHeight(m_fitted);
        updateGeometry();
    }

    // Once it knows its width, it asks for the height of its lines there, not for the height of the
    // narrow column that a wrapped label guesses at before.
    QSize sizeHint() const override {
        QSize const hint = QLabel::sizeHint();
        return width() > 0 && m_fitted >= 0 ? QSize(hint.width(), m_fitted) : hint;
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        if (event->size().width() != event->oldSize().width())
            fitHeight();
    }

private:
    int m_fitted = -1;
};

} // namespace

QString text(steptext::Text text) { return toQString(text); }

QString text(steptext::Text pattern, std::initializer_list<QString> fills) {
    QString const filling = toQString(pattern);
    QString const* fill = fills.begin();
    switch (fills.size()) {
    case 1:
        return filling.arg(fill[0]);
    case 2:
        return filling.arg(fill[0], fill[1]);
    case 3:
        return filling.arg(fill[0], fill[1], fill[2]);
    default:
        return filling.arg(fill[0], fill[1], fill[2], fill[3]);
    }
}

void describe(QWidget& widget, QString const& name, QString const& description) {
    widget.setAccessibleName(name);
    widget.setAccessibleDescription(description);
}

int buttonWidthFor(QWidget const& button, QString const& caption) {
    QFontMetrics const metrics(button.font());
    return metrics.horizontalAdvance(caption) + 2 * metrics.horizontalAdvance(QChar(u'字'));
}

QPushButton* makeButton(QString const& caption, QString const& name, QString const& description,
                        QWidget* parent) {
    auto* button = new CommandButton(caption, parent);
    describe(*button, name, description);
    // Its keys, or what it does, shown to the mouse too.
    button->setToolTip(description);
    // As narrow as its caption, not the style's wider default: the window fits smaller screens.
    button->setMinimumWidth(buttonWidthFor(*button, caption));
    return button;
}

void showIn(QLabel& label, QString const& caption, QString const& shown, QString spoken) {
    // Measured again only when it says something new: most steps leave most labels as they were.
    if (shown != label.text()) {
        label.setText(shown);
        if (auto* const wrapped = dynamic_cast<WrappedLabel*>(&label))
            wrapped->fitHeight();
    }
    if (spoken.isEmpty() && label.textFormat() == Qt::RichText) {
        QTextDocument document;
        document.setHtml(shown);
        spoken = document.toPlainText();
    } else if (spoken.isEmpty()) {
        spoken = shown;
    }
    QString const name = spoken.isEmpty() ? QString() : text(steptext::kShownAs, {caption, spoken});
    // Told only of a change, not of each step that leaves a label as it was.
    if (name != label.accessibleName())
        label.setAccessibleName(name);
}

void setWrappedText(QLabel& label, QString const& shown) {
    if (shown == label.text())
        return;
    label.setText(shown);
    if (auto* const wrapped = dynamic_cast<WrappedLabel*>(&label))
        wrapped->fitHeight();
}

QLabel* columnLabel(QWidget* parent, Qt::TextFormat format, QString const& description, Lines lines) {
    QLabel* const label = lines == Lines::Many ? new WrappedLabel(parent) : new QLabel(parent);
    label->setTextFormat(format);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAccessibleDescription(description);
    return label;
}

QLabel* messageLabel(QWidget* parent) {
    auto* message = new QLabel(parent);
    message->setObjectName(QStringLiteral("message"));
    message->setAccessibleName(text(steptext::kMessage));
    message->setAccessibleDescription(text(steptext::kMessageDescription));
    message->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    message->setWordWrap(true);
    message->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return message;
}

QWidget* scrolledPage(QWidget& window, QScrollArea& area) {
    auto* page = new QWidget(&area);
    area.setWidgetResizable(true);
    area.setFrameShape(QFrame::NoFrame);
    area.setFocusPolicy(Qt::NoFocus);
    area.setWidget(page);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(&area);
    return page;
}

QSize unscrolledSize(QScrollArea const& area) {
    QWidget const* page = area.widget();
    return page->minimumSizeHint().expandedTo(page->minimumSize()) +
           QSize(area.frameWidth() * 2, area.frameWidth() * 2);
}

void announce(QWidget& widget) {
    QAccessibleEvent alert(&widget, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QString countersText(std::vector<form::Counter> const& counters) {
    QStringList shown;
    for (form::Counter const& counter : counters) {
        QString line = toQString(counter.label) + QLatin1Char(' ') + QString::number(counter.value);
        if (counter.total != 0)
            line += QStringLiteral(" / ") + QString::number(counter.total);
        shown << line;
    }
    return shown.join(QStringLiteral("　"));
}

CollectionView::CollectionView(QWidget* parent) : WholeFrame(parent), m_model(new StepTableModel(this)) {
    setModel(m_model);
    describe(*this, text(steptext::kTable), text(steptext::kTableDescription));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // No stop for Tab: the table's arrows would walk its cells, and the window's arrows step. Its
    // rows are read from the step's sentence and the slider's description.
    setChoosingRow(false);
    // Rows no taller than a line, so that a roster of twenty shows whole where there is room.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    // However short the window, a few rows show: the page scrolls before the collection shrinks below.
    setMinimumHeight(horizontalHeader()->sizeHint().height() + 5 * verticalHeader()->defaultSectionSize() +
                     2 * frameWidth());
    horizontalHeader()->setFocusPolicy(Qt::NoFocus);
    horizontalHeader()->setStretchLastSection(true);
    // The element's line takes what the other columns leave, cut short where it must (its tooltip and
    // accessible description hold it whole): no scrolling sideways to columns that are not there.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // Enter on a row, while a row is being chosen.
    connect(this, &QAbstractItemView::activated, this, [this](QModelIndex const& index) {
        if (m_choosing && index.isValid() && rowChosen)
            rowChosen(index.row());
    });
}

void CollectionView::setRecording(form::Recording const* recording) {
    m_model->setRecording(recording);
    // Fitted to the first step, which holds every element.
    m_step = recording && !recording->steps.empty() ? &recording->steps.front() : nullptr;
    m_model->setStep(m_step);
    fitColumns();
}

void CollectionView::setStep(form::Step const* step) {
    m_step = step;
    m_model->setStep(step);
    showMarkedRows();
}

void CollectionView::setChoosingRow(bool choosing) {
    m_choosing = choosing;
    setFocusPolicy(choosing ? Qt::StrongFocus : Qt::NoFocus);
    setSelectionMode(choosing ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
    if (!choosing)
        clearSelection();
}

void CollectionView::resizeEvent(QResizeEvent* event) {
    WholeFrame::resizeEvent(event);
    showMarkedRows();
}

void CollectionView::updateGeometries() {
    WholeFrame::updateGeometries();
    showMarkedRows();
}

void CollectionView::fitColumns() {
    // The position, value and tie columns fitted to the first step, which holds every element, the
    // mark column to its widest mark; the element's line takes the rest, and shows whole in its
    // tooltip where it is cut short.
    resizeColumnsToContents();
    form::Recording const* const recording = m_model->recording();
    if (!recording)
        return;
    QFont font = this->font();
    font.setBold(true);
    font.setItalic(true);
    QFontMetrics const metrics(font);
    int markWidth = horizontalHeader()->sectionSizeHint(m_model->markColumn());
    for (form::Mark const& mark : recording->marks)
        markWidth = std::max(markWidth, metrics.horizontalAdvance(StepTableModel::markText(mark)) + 16);
    setColumnWidth(m_model->markColumn(), markWidth);
    // Room for a few characters of each element beside the other columns.
    int fixed = 0;
    for (int column = 0; column < m_model->elementColumn(); ++column)
        fixed += columnWidth(column);
    setMinimumWidth(fixed + 8 * metrics.horizontalAdvance(QChar(u'字')) + verticalScrollBar()->sizeHint().width() +
                    2 * frameWidth());
}

void CollectionView::showMarkedRows() {
    if (!m_step)
        return;
    // The marked rows stay in sight; where they do not all fit, the last in the strongest style: the row
    // the step is about above all, and of two such, the later, where an Add puts its element.
    auto const strength = [](form::MarkStyle style) {
        switch (style) {
        case form::MarkStyle::Strong:
            return 3;
        case form::MarkStyle::Underlined:
            return 2;
        case form::MarkStyle::Plain:
            return 0;
        default:
            return 1;
        }
    };
    int first = -1;
    int last = -1;
    int strongest = -1;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_step->rows[std::size_t(row)].mark == 0)
            continue;
        first = first < 0 ? row : first;
        last = row;
        if (strongest < 0 || strength(m_model->markOf(row).style) >= strength(m_model->markOf(strongest).style))
            strongest = row;
    }
    // A step that marks nothing (the start, the end) shows the collection from its first row.
    if (first < 0) {
        scrollToTop();
        return;
    }
    int const rowHeight = verticalHeader()->defaultSectionSize();
    if ((last - first + 1) * rowHeight <= viewport()->height()) {
        scrollTo(m_model->index(last, 0), QAbstractItemView::EnsureVisible);
        scrollTo(m_model->index(first, 0), QAbstractItemView::EnsureVisible);
    } else {
        scrollTo(m_model->index(strongest, 0), QAbstractItemView::EnsureVisible);
    }
}

} // namespace host
