#include "host/ComparisonWindow.h"

#include "host/RunChooser.h"
#include "host/StepTableModel.h"
#include "host/StepTexts.h"
#include "host/StepWidgets.h"
#include "host/Utf16.h"
#include "runtime/Error.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace host {

// The totals of two runs paired by label, one column per label and one row per run: what the run has
// done up to its current step where its step counts it, and in all ("12 / 36"; "— / 16" where only
// the whole run counts it, until its last step: "16 / 16").
class PairedCountersModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Pairs the comparison's counters anew: reset when the labels change, else told of new values.
    void update(form::Comparison const& comparison) {
        std::vector<Column> columns;
        std::vector<form::PairedCounter> const now = comparison.counters();
        for (form::PairedCounter const& total : comparison.totals()) {
            Column column{toQString(total.label), {}};
            auto const current = std::find_if(now.begin(), now.end(), [&](form::PairedCounter const& pair) {
                return pair.label == total.label;
            });
            for (std::size_t side = 0; side < 2; ++side) {
                std::optional<form::Counter> const& whole = side == 0 ? total.left : total.right;
                std::optional<form::Counter> at =
                    current == now.end() ? std::nullopt : side == 0 ? current->left : current->right;
                // The steps count where each run stands by their number.
                form::Player const& player = side == 0 ? comparison.left() : comparison.right();
                if (total.label == u"手順" && player.step())
                    at = form::Counter{total.label, static_cast<std::int32_t>(player.current() + 1), 0};
                // A count that no step carries is known once the run has ended: its total.
                if (!at && whole && player.step() && !player.canGoForward())
                    at = whole;
                QString const shownAt = at ? QString::number(at->value) : text(steptext::kTotalsNone);
                column.cells[side] = whole ? text(steptext::kTotalsCell, {shownAt, QString::number(whole->value)})
                                           : text(steptext::kTotalsNone);
            }
            columns.push_back(std::move(column));
        }
        bool const sameLabels = std::equal(columns.begin(), columns.end(), m_columns.begin(), m_columns.end(),
                                           [](Column const& a, Column const& b) { return a.label == b.label; });
        if (!sameLabels) {
            beginResetModel();
            m_columns = std::move(columns);
            endResetModel();
            return;
        }
        m_columns = std::move(columns);
        if (!m_columns.empty())
            emit dataChanged(index(0, 0), index(1, columnCount() - 1));
    }

    // The whole table as one text, for screen readers: 「左: 比較 12 / 36、…」 a line per run.
    QString spoken(QStringList const& sides) const {
        QStringList lines;
        for (int row = 0; row < rowCount(); ++row) {
            QStringList cells;
            for (Column const& column : m_columns)
                cells << column.label + QLatin1Char(' ') + column.cells[std::size_t(row)];
            lines << sides.value(row) + QStringLiteral(": ") + cells.join(QStringLiteral("、"));
        }
        return lines.join(QLatin1Char('\n'));
    }

    int rowCount(QModelIndex const& parent = {}) const override {
        return parent.isValid() || m_columns.empty() ? 0 : 2;
    }
    int columnCount(QModelIndex const& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
    }
    QVariant data(QModelIndex const& index, int role) const override {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
            return {};
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return m_columns[std::size_t(index.column())].cells[std::size_t(index.row())];
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole)
            return {};
        if (orientation == Qt::Horizontal)
            return section >= 0 && section < columnCount() ? m_columns[std::size_t(section)].label : QVariant();
        return section >= 0 && section < 2 ? text(steptext::kSides[section].name) : QVariant();
    }

private:
    struct Column {
        QString label;
        std::array<QString, 2> cells;
    };
    std::vector<Column> m_columns;
};

namespace {

QString sideName(std::size_t side) { return text(steptext::kSides[side].name); }

QLabel* boldLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

} // namespace

ComparisonWindow::ComparisonWindow(form::Lesson const& lesson, QStringList captions, QWidget* parent)
    : QWidget(parent, Qt::Window), m_lesson(lesson), m_captions(std::move(captions)),
      m_page(new QScrollArea(this)), m_totalsModel(new PairedCountersModel(this)) {
    setObjectName(QStringLiteral("comparison"));
    // Opened from the step window, it does not keep the program running once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    QWidget* const page = scrolledPage(*this, *m_page);

    m_record = makeButton(text(steptext::kRecordBoth), text(steptext::kRecordBothName),
                          text(steptext::kRecordBothDescription), page);
    m_first = makeButton(text(steptext::kBothFirst), text(steptext::kBothFirstName),
                         text(steptext::kBothFirstKeys), page);
    m_back = makeButton(text(steptext::kBothBack), text(steptext::kBothBackName), text(steptext::kBothBackKeys),
                        page);
    m_forward = makeButton(text(steptext::kBothForward), text(steptext::kBothForwardName),
                           text(steptext::kBothForwardKeys), page);
    m_message = messageLabel(page);

    m_totals = new WholeFrame<QTableView>(page);
    m_totals->setModel(m_totalsModel);
    describe(*m_totals, text(steptext::kTotals), text(steptext::kTotalsDescription));
    m_totals->setFocusPolicy(Qt::NoFocus);
    m_totals->setSelectionMode(QAbstractItemView::NoSelection);
    m_totals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_totals->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_totals->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_totals->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_totals->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Each side's chooser above its run; the buttons that move both between them and the runs.
    auto* layout = new QGridLayout(page);
    QWidget* const left = createPane(0, page);
    QWidget* const right = createPane(1, page);
    layout->addWidget(m_panes[0].chooser, 0, 0, Qt::AlignTop);
    layout->addWidget(m_panes[1].chooser, 0, 1, Qt::AlignTop);
    auto* both = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{m_record, m_first, m_back, m_forward})
        both->addWidget(widget);
    both->addWidget(m_message, 1);
    layout->addLayout(both, 1, 0, 1, 2);
    layout->addWidget(left, 2, 0);
    layout->addWidget(right, 2, 1);
    layout->addWidget(new QLabel(text(steptext::kTotals), page), 3, 0, 1, 2);
    layout->addWidget(m_totals, 4, 0, 1, 2);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

    connect(m_record, &QPushButton::clicked, this, &ComparisonWindow::recordBoth);
    connect(m_first, &QPushButton::clicked, this, &ComparisonWindow::first);
    connect(m_back, &QPushButton::clicked, this, &ComparisonWindow::back);
    connect(m_forward, &QPushButton::clicked, this, &ComparisonWindow::forward);
    addKeys();
    orderTabs();
    render();
}

ComparisonWindow::~ComparisonWindow() {
    // The views let go of the recordings before they go with the comparison.
    for (Pane const& pane : m_panes)
        pane.table->setRecording(nullptr);
}

QWidget* ComparisonWindow::createPane(std::size_t side, QWidget* parent) {
    Pane& pane = m_panes[side];
    steptext::Side const& named = steptext::kSides[side];
    QString const name = sideName(side);
    // The chooser's captions say which side each control is on, each with a key of its own.
    QString const chooser = text(steptext::chooserOf(m_lesson.procedure).what);
    QString field;
    QString fieldName;
    if (!m_lesson.choices.empty()) {
        QString const own = text(steptext::ownFieldOf(m_lesson.choices.front().field).name);
        field = text(steptext::kSideCaption, {name, own, text(named.fieldKey)});
        fieldName = text(steptext::kSideName, {name, own});
    }
    pane.chooser = new RunChooser(
        m_lesson, m_captions,
        {text(steptext::kSideCaption, {name, chooser, text(named.chooserKey)}),
         text(steptext::kSideName, {name, chooser}), field, fieldName,
         text(steptext::kSideCaption, {name, text(steptext::kDataWhat), text(named.dataKey)}),
         text(steptext::kSideName, {name, text(steptext::kDataSetName)}), false},
        nullptr, parent);
    pane.chooser->entered = [this] { recordBoth(); };

    auto* box = new QWidget(parent);
    pane.title = boldLabel(box);
    pane.sentence = columnLabel(box, Qt::PlainText, text(steptext::kSideSentence, {name}), Lines::Many);
    pane.counters = columnLabel(box, Qt::PlainText, text(steptext::kSideCounters, {name}));
    pane.table = new CollectionView(box);
    describe(*pane.table, text(steptext::kSideTable, {name}), text(steptext::kTableDescription));
    pane.error = columnLabel(box, Qt::PlainText, text(steptext::kErrorDescription), Lines::Many);
    pane.error->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    pane.note = columnLabel(box, Qt::PlainText, text(steptext::kSideNote, {name}), Lines::Many);
    pane.back = makeButton(text(steptext::kAloneBack, {name}), text(steptext::kAloneBackName, {name}),
                           text(steptext::kAloneKeys, {side == 0 ? QStringLiteral("Ctrl+←")
                                                                  : QStringLiteral("Shift+←")}),
                           box);
    pane.forward = makeButton(text(steptext::kAloneForward, {name}), text(steptext::kAloneForwardName, {name}),
                              text(steptext::kAloneKeys, {side == 0 ? QStringLiteral("Ctrl+→")
                                                                     : QStringLiteral("Shift+→")}),
                              box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pane.back);
    buttons->addWidget(pane.forward);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pane.title);
    layout->addWidget(pane.sentence);
    layout->addWidget(pane.counters);
    layout->addWidget(pane.table, 1);
    layout->addWidget(pane.error);
    layout->addWidget(pane.note);
    layout->addLayout(buttons);
    connect(pane.back, &QPushButton::clicked, this, [this, side] { stepAlone(side, -1); });
    connect(pane.forward, &QPushButton::clicked, this, [this, side] { stepAlone(side, 1); });
    return box;
}

void ComparisonWindow::addKeys() {
    // Shortcuts of the whole window, as in the step window: a field keeps its editing keys.
    auto const add = [this](QKeySequence const& keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(QKeySequence(Qt::Key_Right), [this] { forward(); });
    add(QKeySequence(Qt::Key_Left), [this] { back(); });
    add(QKeySequence(Qt::Key_Home), [this] { first(); });
    add(QKeySequence(Qt::Key_End), [this] { last(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { stepAlone(0, -1); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { stepAlone(0, 1); });
    add(QKeySequence(Qt::SHIFT | Qt::Key_Left), [this] { stepAlone(1, -1); });
    add(QKeySequence(Qt::SHIFT | Qt::Key_Right), [this] { stepAlone(1, 1); });
    add(QKeySequence(Qt::Key_Escape), [this] { close(); });
}

void ComparisonWindow::orderTabs() {
    // Top left to bottom right: the two choosers, the buttons of both, then each side's own.
    std::vector<QWidget*> order;
    for (Pane const& pane : m_panes) {
        for (QWidget* control : pane.chooser->controls())
            order.push_back(control);
    }
    order.insert(order.end(), {m_record, m_first, m_back, m_forward});
    for (Pane const& pane : m_panes)
        order.insert(order.end(), {pane.back, pane.forward});
    for (std::size_t index = 1; index < order.size(); ++index)
        setTabOrder(order[index - 1], order[index]);
}

void ComparisonWindow::setTitle(QString const& stepWindowTitle) {
    setWindowTitle(text(steptext::kCompareTitle, {stepWindowTitle}));
}

void ComparisonWindow::chooseDefault(int button, QString const& typed) {
    if (!m_lesson.dataSets.empty()) {
        for (std::size_t side = 0; side < 2; ++side) {
            m_panes[side].chooser->chooseButton(button);
            m_panes[side].chooser->chooseData(side == 0 ? int(form::DataSetKind::Sorted)
                                                        : int(form::DataSetKind::Reversed));
        }
    } else if (!m_lesson.choices.empty()) {
        m_panes[0].chooser->chooseButton(button);
        m_panes[1].chooser->chooseOwn(0, typed);
    } else {
        m_panes[0].chooser->chooseButton(0);
        m_panes[1].chooser->chooseButton(std::min(1, int(m_captions.size()) - 1));
    }
}

void ComparisonWindow::recordBoth() {
    std::array<form::Recording, 2> recordings;
    std::array<QString, 2> titles;
    QString message;
    QWidget* field = nullptr;
    for (std::size_t side = 0; side < 2 && message.isEmpty(); ++side) {
        RunChooser::Choice const chosen = m_panes[side].chooser->choice();
        message = chosen.message;
        field = chosen.field;
        if (!chosen.run)
            break;
        try {
            form::Recorded recorded = m_lesson.recordRun(*chosen.run);
            message = toQString(recorded.refusal);
            recordings[side] = std::move(recorded.recording);
        } catch (...) {
            message = toQString(form::errorText(runtime::currentError()));
        }
        if (!message.isEmpty())
            message = text(steptext::kSideTitle, {sideName(side), message});
        titles[side] = chosen.title;
    }
    showIn(*m_message, text(steptext::kMessage), message);
    if (!message.isEmpty()) {
        // What was shown stays; the learner corrects the input where it is.
        if (field)
            field->setFocus();
        announce(*m_message);
        return;
    }
    for (std::size_t side = 0; side < 2; ++side) {
        m_panes[side].table->setRecording(nullptr);
        m_panes[side].runTitle = titles[side];
    }
    m_comparison.load(std::move(recordings[0]), std::move(recordings[1]));
    for (std::size_t side = 0; side < 2; ++side)
        m_panes[side].table->setRecording(&playerOf(side).recording());
    render();
}

form::Player& ComparisonWindow::playerOf(std::size_t side) {
    return side == 0 ? m_comparison.left() : m_comparison.right();
}

void ComparisonWindow::forward() {
    m_comparison.forward();
    render();
}

void ComparisonWindow::back() {
    m_comparison.back();
    render();
}

QSize ComparisonWindow::unscrolledSize() const { return host::unscrolledSize(*m_page); }

void ComparisonWindow::first() {
    m_comparison.first();
    render();
}

void ComparisonWindow::last() {
    // Together as far as both go, then each to its own end.
    while (m_comparison.forward()) {
    }
    m_comparison.left().last();
    m_comparison.right().last();
    render();
}

void ComparisonWindow::stepAlone(std::size_t side, int delta) {
    playerOf(side).stepBy(delta);
    render();
}

void ComparisonWindow::render() {
    for (std::size_t side = 0; side < 2; ++side)
        renderPane(side);
    bool const shown = m_comparison.left().step() && m_comparison.right().step();
    bool const ahead = m_comparison.left().canGoForward() || m_comparison.right().canGoForward();
    bool const behind = m_comparison.left().canGoBack() || m_comparison.right().canGoBack();
    m_first->setEnabled(shown && behind);
    m_back->setEnabled(shown && behind);
    m_forward->setEnabled(shown && ahead);
    m_totalsModel->update(m_comparison);
    m_totals->setAccessibleDescription(m_totalsModel->spoken({sideName(0), sideName(1)}));
    // As tall as its rows: no scrolling for two lines.
    m_totals->setFixedHeight(m_totals->horizontalHeader()->sizeHint().height() + m_totals->rowHeight(0) +
                             m_totals->rowHeight(1) + 2 * m_totals->frameWidth());
    // A disabled control gives its focus to the window, where the arrows move both.
    QWidget* const focused = QApplication::focusWidget();
    if (focused && isAncestorOf(focused) && !focused->isEnabled())
        setFocus();
}

void ComparisonWindow::renderPane(std::size_t side) {
    Pane& pane = m_panes[side];
    form::Player const& player = playerOf(side);
    form::Step const* const step = player.step();
    QString const name = sideName(side);
    pane.table->setStep(step);
    pane.back->setEnabled(player.canGoBack());
    pane.forward->setEnabled(player.canGoForward());
    if (!step) {
        pane.title->setText(name);
        for (QLabel* label : {pane.sentence, pane.counters, pane.error, pane.note})
            showIn(*label, {}, {});
        return;
    }
    form::Recording const& recording = player.recording();
    QString title = pane.runTitle;
    if (!recording.chosen.empty())
        title = text(steptext::kChosenTitle, {title, toQString(recording.chosen), toQString(m_lesson.procedure)});
    pane.title->setText(text(steptext::kSideTitle, {name, title}));
    showIn(*pane.sentence, text(steptext::kSideSentence, {name}), toQString(step->sentence));
    QString const position = text(steptext::kPosition, {QString::number(player.current() + 1),
                                                         QString::number(player.stepCount())});
    showIn(*pane.counters, text(steptext::kSideCounters, {name}),
           position + QStringLiteral("　") + countersText(step->counters));
    showIn(*pane.error, text(steptext::kError), toQString(step->error));
    pane.error->setVisible(!step->error.empty());
    // What the recording says of the run as a whole, once the run is over.
    QStringList notes;
    if (!player.canGoForward()) {
        for (std::u16string const& note : recording.notes)
            notes << toQString(note);
    }
    showIn(*pane.note, text(steptext::kSideNote, {name}), notes.join(QLatin1Char('\n')));
    pane.note->setVisible(!notes.isEmpty());
}

} // namespace host
