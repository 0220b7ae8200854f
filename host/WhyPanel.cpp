#include "host/WhyPanel.h"

#include "host/StepWidgets.h"
#include "host/Utf16.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace host {

namespace {

// How many titles the list shows at once; more scroll.
constexpr int kTitlesShown = 3;

} // namespace

WhyPanel::WhyPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("why"));
    setFrameShape(QFrame::StyledPanel);
    m_list = new QListWidget(this);
    describe(*m_list, text(steptext::kWhyList), text(steptext::kWhyListDescription));
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setWordWrap(true);
    m_list->setUniformItemSizes(false);
    m_title = columnLabel(this, Qt::PlainText, text(steptext::kWhyTextDescription), Lines::Many);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_text = columnLabel(this, Qt::PlainText, text(steptext::kWhyTextDescription), Lines::Many);
    m_text->setObjectName(QStringLiteral("whyText"));
    m_close = makeButton(text(steptext::kWhyClose), text(steptext::kWhyCloseName),
                         text(steptext::kWhyCloseDescription), this);
    int const em = fontMetrics().horizontalAdvance(QChar(u'字'));
    m_list->setFixedWidth(14 * em);

    auto* words = new QVBoxLayout;
    words->addWidget(m_title);
    words->addWidget(m_text, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 0, Qt::AlignTop);
    layout->addLayout(words, 1);
    layout->addWidget(m_close, 0, Qt::AlignTop);

    connect(m_list, &QListWidget::currentRowChanged, this, &WhyPanel::showChosen);
    connect(m_close, &QPushButton::clicked, this, &WhyPanel::dismiss);
    hide();
}

void WhyPanel::dismiss() {
    bool const focused = isAncestorOf(QApplication::focusWidget());
    hide();
    if (dismissed)
        dismissed(focused);
}

bool WhyPanel::hasExplanations() const { return m_recording && !m_recording->explanations.empty(); }

void WhyPanel::setRecording(form::Recording const* recording) {
    m_recording = recording;
    QSignalBlocker const blocker(m_list);
    m_list->clear();
    if (recording) {
        for (form::Explanation const& explanation : recording->explanations)
            m_list->addItem(toQString(explanation.title));
    }
    // Each title wrapped to the list's width, the list as tall as its first few; one title alone needs
    // no list, the panel's title says it.
    int const width = m_list->width() - 2 * m_list->frameWidth() - m_list->verticalScrollBar()->sizeHint().width() - 8;
    int height = 2 * m_list->frameWidth();
    for (int row = 0; row < m_list->count(); ++row) {
        QRect const lines = m_list->fontMetrics().boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap,
                                                               m_list->item(row)->text());
        m_list->item(row)->setSizeHint(QSize(width, lines.height() + 6));
        if (row < kTitlesShown)
            height += lines.height() + 6;
    }
    m_list->setFixedHeight(height);
    m_list->setVisible(m_list->count() > 1);
    hide();
}

void WhyPanel::showChosen(int index) {
    if (!m_recording || index < 0 || std::size_t(index) >= m_recording->explanations.size())
        return;
    form::Explanation const& explanation = m_recording->explanations[std::size_t(index)];
    QString const title = text(steptext::kWhyTitle, {toQString(explanation.title)});
    setWrappedText(*m_title, title);
    showIn(*m_text, title, toQString(explanation.text));
}

void WhyPanel::showExplanation(int index) {
    if (!m_recording || index < 0 || std::size_t(index) >= m_recording->explanations.size())
        return;
    m_list->setCurrentRow(index);
    showChosen(index);
    show();
    announce(*m_text);
}

void WhyPanel::open() {
    if (!hasExplanations())
        return;
    showExplanation(std::max(0, m_list->currentRow()));
    (m_list->isVisibleTo(this) ? static_cast<QWidget*>(m_list) : m_close)->setFocus();
}

std::vector<QWidget*> WhyPanel::controls() const { return {m_list, m_close}; }

} // namespace host
