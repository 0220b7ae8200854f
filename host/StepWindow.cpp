#include "host/StepWindow.h"

#include "host/CommandButton.h"
#include "host/StepTableModel.h"
#include "host/StepTexts.h"
#include "host/Utf16.h"
#include "host/WholeFrame.h"
#include "runtime/Error.h"
#include "runtime/Observer.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QStyle>
#include <QTableView>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>

namespace host {

namespace {

using steptext::Text;

QString text(Text text) { return toQString(text); }

// A pattern of the texts table with %1, %2, ... filled in, in one pass: a fill is never read for
// markers itself.
QString text(Text pattern, std::initializer_list<QString> fills) {
    QString const filling = toQString(pattern);
    QString const* fill = fills.begin();
    switch (fills.size()) {
    case 1:
        return filling.arg(fill[0]);
    case 2:
        return filling.arg(fill[0], fill[1]);
    default:
        return filling.arg(fill[0], fill[1], fill[2]);
    }
}

// How wide a button must be to show caption on one line, a character's width clear of each side.
int buttonWidthFor(QWidget const& button, QString const& caption) {
    QFontMetrics const metrics(button.font());
    return metrics.horizontalAdvance(caption) + 2 * metrics.horizontalAdvance(QChar(u'字'));
}

// How fast playing goes: a step every so many milliseconds.
struct Speed {
    Text name;
    int interval;
};
constexpr Speed kSpeeds[] = {{steptext::kSlow, 1500}, {steptext::kNormal, 700}, {steptext::kFast, 250}};
constexpr int kNormalSpeed = 1;

// The keys of the first two kinds of jump, back and forward; further kinds have buttons only.
struct JumpKeys {
    QKeySequence back;
    QKeySequence forward;
};
JumpKeys const kJumpKeys[] = {
    {QKeySequence(Qt::Key_PageUp), QKeySequence(Qt::Key_PageDown)},
    {QKeySequence(Qt::CTRL | Qt::Key_PageUp), QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
};

void describe(QWidget& widget, QString const& name, QString const& description) {
    widget.setAccessibleName(name);
    widget.setAccessibleDescription(description);
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

// The layout of the window's page. Its wrapped labels take the height they need for the width they
// get, from the collection's share, but the page does not ask for their preferred heights: a scroll
// area would then scroll a page that still fits, where the collection could give up room.
class PageLayout final : public QVBoxLayout {
public:
    using QVBoxLayout::QVBoxLayout;
    bool hasHeightForWidth() const override { return false; }
};

// The collection's view, which tells of each change of its size once it has laid itself out for it.
class CollectionView final : public WholeFrame<QTableView> {
public:
    using WholeFrame::WholeFrame;

    std::function<void()> resized;

protected:
    void resizeEvent(QResizeEvent* event) override {
        WholeFrame::resizeEvent(event);
        if (resized)
            resized();
    }
};

} // namespace

// The procedure's lines, the current one marked with ▶, in bold and a tint; each line wrapped to the
// list's width rather than cut short, the list as tall as its lines.
class ProcedureList final : public WholeFrame<QListWidget> {
public:
    ProcedureList(std::span<std::u16string_view const> lines, QWidget* parent) : WholeFrame(parent) {
        for (std::size_t line = 0; line < lines.size(); ++line)
            addItem(QStringLiteral("   %1  %2").arg(line + 1).arg(toQString(lines[line])));
        setWordWrap(true);
        setUniformItemSizes(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The ▶ marks the current line; a selection would be a second mark beside it.
        setSelectionMode(QAbstractItemView::NoSelection);
        setFocusPolicy(Qt::NoFocus);
    }

    // Marks line (1-based; 0 for none).
    void setCurrent(int line) {
        if (line == m_current)
            return;
        for (int const row : {m_current - 1, line - 1}) {
            if (row < 0 || row >= count())
                continue;
            bool const marked = row + 1 == line;
            QListWidgetItem* item = this->item(row);
            item->setText((marked ? text(steptext::kCurrentLine) : QStringLiteral(" ")) +
                          item->text().mid(1));
            QFont font = this->font();
            font.setBold(marked);
            item->setFont(font);
            item->setBackground(marked ? QColor(255, 240, 170) : QColor(Qt::transparent));
        }
        m_current = line;
        fitLines();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        WholeFrame::resizeEvent(event);
        if (event->size().width() != event->oldSize().width())
            fitLines();
    }

private:
    void fitLines() {
        // Each line as tall as it wraps in its own font, within the item's text margins.
        int const margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 4;
        int const width = std::max(1, viewport()->width() - margin);
        int height = 2 * frameWidth();
        for (int row = 0; row < count(); ++row) {
            QFontMetrics const metrics(item(row)->font());
            QRect const lines =
                metrics.boundingRect(QRect(0, 0, width, 0), Qt::TextWordWrap, item(row)->text());
            int const rowHeight = std::max(lines.height(), metrics.height()) + 4;
            item(row)->setSizeHint(QSize(width, rowHeight));
            height += rowHeight;
        }
        setFixedHeight(height);
    }

    int m_current = 0;
};

namespace {

// A label that shows changing content: screen readers read what it shows under its caption, and are
// told of each change (setting the accessible name sends the change event).
// An empty label has no name: it shows nothing.
void showIn(QLabel& label, QString const& caption, QString const& shown, QString spoken = {}) {
    label.setText(shown);
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

// A label that shows changing content in a column: wrapped to the column's width, never widening it.
QLabel* columnLabel(QWidget* parent, Qt::TextFormat format, QString const& description) {
    auto* label = new QLabel(parent);
    label->setTextFormat(format);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAccessibleDescription(description);
    return label;
}

QString counterText(form::Counter const& counter) {
    QString shown = toQString(counter.label) + QLatin1Char(' ') + QString::number(counter.value);
    if (counter.total != 0)
        shown += QStringLiteral(" / ") + QString::number(counter.total);
    return shown;
}

steptext::Chooser const& chooserOf(std::u16string_view procedure) {
    for (steptext::Chooser const& chooser : steptext::kChoosers) {
        if (chooser.procedure == procedure || chooser.procedure.empty())
            return chooser;
    }
    return std::end(steptext::kChoosers)[-1];
}

} // namespace

namespace {

// The window's place beside the main one, or none where no side has room.
std::optional<QRect> onASide(QRect main, QSize size, QSize minimum, QRect available) {
    // The room on each side of the main window, within the screen.
    QRect const right(QPoint(main.right() + 1, available.top()), available.bottomRight());
    QRect const below(QPoint(available.left(), main.bottom() + 1), available.bottomRight());
    QRect const left(available.topLeft(), QPoint(main.left() - 1, available.bottom()));
    QRect const above(available.topLeft(), QPoint(available.right(), main.top() - 1));
    auto const fits = [&](QRect const& room) {
        return room.width() >= minimum.width() && room.height() >= minimum.height();
    };
    // Inside room, as near to the main window's top or left as the screen lets it.
    auto const within = [&](QRect const& room, QPoint at) {
        QSize const shown = size.boundedTo(room.size());
        at.setX(std::clamp(at.x(), room.left(), room.right() + 1 - shown.width()));
        at.setY(std::clamp(at.y(), room.top(), room.bottom() + 1 - shown.height()));
        return QRect(at, shown);
    };
    if (fits(right))
        return within(right, QPoint(right.left(), main.top()));
    if (fits(below))
        return within(below, QPoint(main.left(), below.top()));
    if (fits(left))
        return within(left, QPoint(left.right() + 1 - size.width(), main.top()));
    if (fits(above))
        return within(above, QPoint(main.left(), above.bottom() + 1 - size.height()));
    return std::nullopt;
}

} // namespace

Beside besideWindow(QRect main, QSize size, QSize minimum, QRect available) {
    size = size.boundedTo(available.size()).expandedTo(minimum);
    if (std::optional<QRect> const window = onASide(main, size, minimum, available))
        return {*window, main.topLeft()};
    // Room for both side by side once the main window stands at an edge of the screen.
    for (QPoint const edge : {QPoint(available.left(), std::max(main.top(), available.top())),
                              QPoint(std::max(main.left(), available.left()), available.top())}) {
        QRect const moved(edge, main.size());
        if (available.contains(moved)) {
            if (std::optional<QRect> const window = onASide(moved, size, minimum, available))
                return {*window, edge};
        }
    }
    // No room: on the screen, where it covers the least of the main window.
    QSize const shown = size.boundedTo(available.size());
    return {QRect(available.bottomRight() - QPoint(shown.width(), shown.height()) + QPoint(1, 1), shown),
            main.topLeft()};
}

StepWindow::StepWindow(form::Lesson const& lesson, QStringList captions, QWidget* parent)
    : QWidget(parent, Qt::Window), m_lesson(lesson), m_captions(std::move(captions)),
      m_page(new QScrollArea(this)), m_model(new StepTableModel(this)), m_timer(new QTimer(this)) {
    setWindowTitle(text(steptext::kWindowTitle, {toQString(lesson.procedure)}));
    setObjectName(QStringLiteral("steps"));

    // Everything stands on one page, which scrolls only on a screen too small for it.
    auto* page = new QWidget(m_page);
    m_page->setObjectName(QStringLiteral("page"));
    m_page->setWidgetResizable(true);
    m_page->setFrameShape(QFrame::NoFrame);
    m_page->setFocusPolicy(Qt::NoFocus);
    m_page->setWidget(page);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_page);

    m_title = new QLabel(page);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setWordWrap(true);
    m_sentence = new QLabel(page);
    m_sentence->setWordWrap(true);
    QFont sentenceFont = m_sentence->font();
    sentenceFont.setPointSizeF(sentenceFont.pointSizeF() * 1.2);
    m_sentence->setFont(sentenceFont);
    m_sentence->setMinimumHeight(m_sentence->fontMetrics().lineSpacing() * 2);
    m_sentence->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_sentence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // No name of its own: its text is its accessible name, so each new sentence is told to screen readers.
    m_sentence->setAccessibleDescription(text(steptext::kSentenceDescription));

    auto* const table = new CollectionView(page);
    m_table = table;
    m_table->setModel(m_model);
    describe(*m_table, text(steptext::kTable), text(steptext::kTableDescription));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    // No stop for Tab: the table's arrows would walk its cells, and the window's arrows step. Its
    // rows are read from the step's sentence and the slider's description.
    m_table->setFocusPolicy(Qt::NoFocus);
    // Rows no taller than a line, so that a roster of twenty shows whole where there is room.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setFocusPolicy(Qt::NoFocus);
    m_table->horizontalHeader()->setStretchLastSection(true);
    // The element's line takes what the other columns leave, cut short where it must (its tooltip and
    // accessible description hold it whole): no scrolling sideways to columns that are not there.
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setWordWrap(false);
    table->resized = [this] {
        if (form::Step const* const step = m_player.step())
            showMarkedRows(*step);
    };

    auto* middle = new QHBoxLayout;
    middle->addWidget(createPanel(), 0);
    middle->addWidget(m_table, 1);

    auto* layout = new PageLayout(page);
    layout->addWidget(m_title);
    layout->addWidget(m_sentence);
    layout->addWidget(createState());
    layout->addLayout(middle, 1);
    layout->addWidget(createControls());
    if (lesson.takesNumbers)
        layout->addWidget(createOwnNumbers());

    m_timer->setInterval(kSpeeds[kNormalSpeed].interval);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_player.tick();
        render();
    });
    addKeys();
    orderTabs();
    resize(QSize(980, 680).expandedTo(unscrolledSize()));
    // The keys work wherever the focus is but in the field; it starts on the slider, which stays
    // enabled even before the first click so that the focus never falls to the field.
    m_slider->setFocus();
    render();
}

StepWindow::~StepWindow() = default;

void StepWindow::addKeys() {
    // Shortcuts of the whole window, so that the keys step whichever control has the focus. The field
    // of own numbers claims its editing keys first (a line edit overrides shortcuts for them), so
    // there they edit the text; it has no use for PageUp and PageDown, which jump from there too.
    auto const add = [this](QKeySequence const& keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(QKeySequence(Qt::Key_Left), [this] { stepBy(-1); });
    add(QKeySequence(Qt::Key_Right), [this] { stepBy(1); });
    add(QKeySequence(Qt::Key_Home), [this] { goToStep(0); });
    add(QKeySequence(Qt::Key_End), [this] { goToStep(m_player.stepCount()); });
    add(QKeySequence(Qt::Key_Space), [this] { setPlaying(!m_player.playing()); });
    for (std::size_t kind = 0; kind < std::size(kJumpKeys); ++kind) {
        add(kJumpKeys[kind].back, [this, kind] { jump(kind, false); });
        add(kJumpKeys[kind].forward, [this, kind] { jump(kind, true); });
    }
    add(QKeySequence(Qt::Key_Escape), [this] { close(); });
    // Ctrl+Q ends the program here as in the main window.
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] {
        close();
        if (QWidget* const main = parentWidget())
            main->close();
    });
}

QWidget* StepWindow::createPanel() {
    auto* panel = new QWidget;
    QString const procedure = text(steptext::kProcedure, {toQString(m_lesson.procedure)});
    m_procedure = new ProcedureList(m_lesson.lines, panel);
    describe(*m_procedure, procedure, text(steptext::kProcedureDescription));

    m_calls = columnLabel(panel, Qt::PlainText, text(steptext::kCallsDescription));

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : std::initializer_list<QWidget*>{
             new QLabel(procedure, panel), m_procedure, new QLabel(text(steptext::kCalls), panel), m_calls})
        layout->addWidget(widget);
    layout->addStretch();

    // The panel scrolls on its own where the window is short, keeping its full width where it can.
    auto* scroll = new QScrollArea;
    scroll->setWidget(panel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    // As wide as the procedure's lines where the window has room, and never so wide that the
    // collection's lines are cut short for it.
    int const em = m_procedure->fontMetrics().horizontalAdvance(QChar(u'字'));
    scroll->setMinimumWidth(16 * em);
    scroll->setMaximumWidth(std::max(16 * em, std::min(m_procedure->sizeHintForColumn(0) + 2 * em, 30 * em)));
    return scroll;
}

QWidget* StepWindow::createState() {
    // Always in sight, however short the window: what the step leaves in the variables and counters,
    // and the error that ended the run.
    auto* state = new QWidget;
    m_variables = columnLabel(state, Qt::RichText, text(steptext::kVariablesDescription));
    m_counters = columnLabel(state, Qt::PlainText, text(steptext::kCountersDescription));
    m_error = columnLabel(state, Qt::PlainText, text(steptext::kErrorDescription));
    m_error->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    auto* grid = new QGridLayout(state);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(text(steptext::kVariables), state), 0, 0, Qt::AlignTop);
    grid->addWidget(m_variables, 0, 1);
    grid->addWidget(new QLabel(text(steptext::kCounters), state), 1, 0, Qt::AlignTop);
    grid->addWidget(m_counters, 1, 1);
    grid->addWidget(m_error, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return state;
}

QWidget* StepWindow::createControls() {
    auto* controls = new QWidget;
    m_first =
        makeButton(text(steptext::kFirst), text(steptext::kFirstName), text(steptext::kFirstKeys), controls);
    m_back =
        makeButton(text(steptext::kBack), text(steptext::kBackName), text(steptext::kBackKeys), controls);
    m_next =
        makeButton(text(steptext::kNext), text(steptext::kNextName), text(steptext::kNextKeys), controls);
    m_last =
        makeButton(text(steptext::kLast), text(steptext::kLastName), text(steptext::kLastKeys), controls);
    m_play = makeButton(text(steptext::kPlay), text(steptext::kPlayName), text(steptext::kPlayDescription),
                        controls);
    // Wide enough for either caption, so that it does not change width while playing.
    m_play->setMinimumWidth(
        std::max(m_play->minimumWidth(), buttonWidthFor(*m_play, text(steptext::kPause))));
    m_speed = new QComboBox(controls);
    describe(*m_speed, text(steptext::kSpeedName), text(steptext::kSpeedDescription));
    for (Speed const& speed : kSpeeds)
        m_speed->addItem(text(speed.name));
    m_speed->setCurrentIndex(kNormalSpeed);
    auto* speedLabel = new QLabel(text(steptext::kSpeed), controls);
    speedLabel->setBuddy(m_speed);
    m_position = new QLabel(controls);
    m_position->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_position->setMinimumWidth(m_position->fontMetrics().horizontalAdvance(
        text(steptext::kPosition, {QStringLiteral("0000"), QStringLiteral("0000")})));
    // No name of its own: its text says what it is.
    m_position->setAccessibleDescription(text(steptext::kPositionCaption));
    m_slider = new QSlider(Qt::Horizontal, controls);
    describe(*m_slider, text(steptext::kSlider), text(steptext::kSliderDescription));
    m_fold = new QCheckBox(text(steptext::kFold), controls);
    describe(*m_fold, text(steptext::kFoldName), text(steptext::kFoldDescription));
    m_fold->setVisible(false);
    m_jumpRow = new QWidget(controls);
    auto* jumps = new QHBoxLayout(m_jumpRow);
    jumps->setContentsMargins(0, 0, 0, 0);

    auto* buttons = new QHBoxLayout;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_first, m_back, m_next, m_last, m_play, speedLabel, m_speed})
        buttons->addWidget(widget);
    buttons->addStretch(1);
    auto* where = new QHBoxLayout;
    where->addWidget(m_slider, 1);
    where->addWidget(m_position);
    auto* more = new QHBoxLayout;
    more->addWidget(m_jumpRow);
    more->addStretch(1);
    more->addWidget(m_fold);
    auto* rows = new QVBoxLayout(controls);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(buttons);
    rows->addLayout(where);
    rows->addLayout(more);

    connect(m_first, &QPushButton::clicked, this, [this] { goToStep(0); });
    connect(m_back, &QPushButton::clicked, this, [this] { stepBy(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { stepBy(1); });
    connect(m_last, &QPushButton::clicked, this, [this] { goToStep(m_player.stepCount()); });
    connect(m_play, &QPushButton::clicked, this, [this] { setPlaying(!m_player.playing()); });
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_timer->setInterval(kSpeeds[std::clamp(index, 0, int(std::size(kSpeeds)) - 1)].interval);
    });
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (value >= 0)
            goToStep(static_cast<std::size_t>(value));
    });
    connect(m_fold, &QCheckBox::toggled, this, &StepWindow::setFolded);
    return controls;
}

void StepWindow::createJumps() {
    std::vector<std::u16string> const& names = m_player.recording().jumps;
    if (names == m_jumpNames)
        return;
    m_jumpNames = names;
    // The focus on a button about to go stays where the arrows step.
    if (std::find(m_jumps.begin(), m_jumps.end(), QApplication::focusWidget()) != m_jumps.end())
        m_slider->setFocus();
    for (QPushButton* button : m_jumps)
        delete button;
    m_jumps.clear();
    for (std::size_t kind = 0; kind < names.size(); ++kind) {
        QString const name = toQString(names[kind]);
        for (bool const forward : {false, true}) {
            QString keys = text(steptext::kJumpNoKeys, {name});
            if (kind < std::size(kJumpKeys)) {
                QKeySequence const& sequence = forward ? kJumpKeys[kind].forward : kJumpKeys[kind].back;
                keys = text(steptext::kJumpKeys, {sequence.toString(QKeySequence::NativeText)});
            }
            QPushButton* button =
                makeButton(text(forward ? steptext::kJumpForward : steptext::kJumpBack, {name}),
                           text(forward ? steptext::kJumpForwardName : steptext::kJumpBackName, {name}), keys,
                           m_jumpRow);
            connect(button, &QPushButton::clicked, this, [this, kind, forward] { jump(kind, forward); });
            m_jumpRow->layout()->addWidget(button);
            button->show();
            m_jumps.push_back(button);
        }
    }
    orderTabs();
}

QWidget* StepWindow::createOwnNumbers() {
    auto* own = new QWidget;
    m_numbers = new QLineEdit(own);
    describe(*m_numbers, text(steptext::kNumbersName), text(steptext::kNumbersDescription));
    m_numbers->setPlaceholderText(text(steptext::kNumbersExample));
    auto* label = new QLabel(text(steptext::kNumbers), own);
    label->setBuddy(m_numbers);
    steptext::Chooser const& chooser = chooserOf(m_lesson.procedure);
    m_chooser = new QComboBox(own);
    describe(*m_chooser, text(chooser.name), text(steptext::kChooserDescription));
    m_chooser->addItems(m_captions);
    auto* chooserLabel = new QLabel(text(chooser.caption), own);
    chooserLabel->setBuddy(m_chooser);
    m_run = makeButton(text(steptext::kRun), text(steptext::kRunName), text(steptext::kRunDescription), own);
    m_message = new QLabel(own);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setAccessibleName(text(steptext::kMessage));
    m_message->setAccessibleDescription(text(steptext::kMessageDescription));
    m_message->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    m_message->setWordWrap(true);
    m_message->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* grid = new QGridLayout(own);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(chooserLabel, 0, 0);
    grid->addWidget(m_chooser, 0, 1, 1, 2, Qt::AlignLeft);
    grid->addWidget(label, 1, 0);
    grid->addWidget(m_numbers, 1, 1);
    grid->addWidget(m_run, 1, 2);
    grid->addWidget(m_message, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    connect(m_run, &QPushButton::clicked, this, &StepWindow::runOwnNumbers);
    connect(m_numbers, &QLineEdit::returnPressed, this, &StepWindow::runOwnNumbers);
    return own;
}

void StepWindow::orderTabs() {
    // Top left to bottom right, as the controls stand.
    std::vector<QWidget*> order{m_first, m_back, m_next, m_last, m_play, m_speed, m_slider};
    order.insert(order.end(), m_jumps.begin(), m_jumps.end());
    order.push_back(m_fold);
    if (m_numbers)
        order.insert(order.end(), {m_chooser, m_numbers, m_run});
    for (std::size_t index = 1; index < order.size(); ++index)
        setTabOrder(order[index - 1], order[index]);
}

QSize StepWindow::unscrolledSize() const {
    QWidget const* page = m_page->widget();
    return page->minimumSizeHint().expandedTo(page->minimumSize()) +
           QSize(m_page->frameWidth() * 2, m_page->frameWidth() * 2);
}

void StepWindow::setProgramName(QString const& program) {
    setWindowTitle(text(steptext::kProgramTitle, {program, toQString(m_lesson.procedure)}));
}

void StepWindow::placeBeside(QWidget& main) {
    QScreen const* const screen = main.screen();
    if (!screen)
        return;
    // Measured as it will be shown: polished by its style, its page laid out anew.
    ensurePolished();
    layOutNow();
    // Its frame will be as wide as the main window's.
    QSize const frame = main.frameGeometry().size() - main.size();
    Beside const beside = besideWindow(main.frameGeometry(), size() + frame, comfortableSize() + frame,
                                       screen->availableGeometry());
    main.move(beside.main);
    resize(beside.window.size() - frame);
    move(beside.window.topLeft());
}

QSize StepWindow::comfortableSize() const {
    // Ten rows of the collection more than at its least: room for the procedure and the calls too.
    return unscrolledSize() + QSize(0, 10 * m_table->verticalHeader()->defaultSectionSize());
}

void StepWindow::showClick(int index) {
    if (m_chooser)
        m_chooser->setCurrentIndex(index);
    QString const title = text(steptext::kClickTitle, {m_captions.value(index)});
    try {
        showRecording(m_lesson.record(static_cast<std::int16_t>(index), {}), title);
    } catch (...) {
        // The algorithm's own errors are recorded at their step; this is one that happened outside
        // it, such as memory running out. The main window's click is over and must not see it.
        runtime::RuntimeError const error = runtime::currentError();
        try {
            form::Recording failed;
            failed.steps.emplace_back().error = form::errorText(error);
            showRecording(std::move(failed), title);
        } catch (...) {
            m_player.load({});
            m_model->setRecording(nullptr);
            render();
        }
    }
}

void StepWindow::runOwnNumbers() {
    if (!m_numbers)
        return;
    form::ParsedNumbers const parsed = form::parseNumbers(toU16(m_numbers->text()));
    QString message = toQString(parsed.message);
    if (!parsed.numbers.empty()) {
        int const index = std::max(0, m_chooser->currentIndex());
        QString const title =
            text(steptext::kOwnTitle, {QString::number(parsed.numbers.size()), m_captions.value(index)});
        // With --trace, the run is traced as a click of this window; the recording is the run's other
        // reader.
        runtime::Attachment traced;
        try {
            if (m_trace) {
                m_trace->beginClick(toU16(title));
                m_trace->attachTo(traced);
            }
            showRecording(m_lesson.record(static_cast<std::int16_t>(index), parsed.numbers), title);
        } catch (...) {
            message = toQString(form::errorText(runtime::currentError()));
        }
        if (m_trace)
            m_trace->endClick();
    }
    showIn(*m_message, text(steptext::kMessage), message);
    m_numbers->setAccessibleDescription(message.isEmpty() ? text(steptext::kNumbersDescription)
                                                          : message + QStringLiteral(" ") +
                                                                text(steptext::kNumbersDescription));
    if (message.isEmpty()) {
        // Run: the arrows step from the slider at once.
        m_slider->setFocus();
        return;
    }
    // Refused: the learner corrects the input where it is, and a screen reader says why.
    m_numbers->setFocus();
    QAccessibleEvent alert(m_message, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void StepWindow::showRecording(form::Recording recording, QString title) {
    m_timer->stop();
    m_model->setRecording(nullptr);
    m_player.load(std::move(recording));
    form::Recording const& shown = m_player.recording();
    if (!shown.chosen.empty())
        title = text(steptext::kChosenTitle, {title, toQString(shown.chosen), toQString(m_lesson.procedure)});
    m_title->setText(title);
    m_model->setRecording(&shown);
    m_model->setStep(m_player.step());
    fitColumns();
    createJumps();
    m_fold->setVisible(m_player.foldable());
    render();
    layOutNow();
}

void StepWindow::fitColumns() {
    // Fitted once a recording, so that the columns stay put from step to step: the position and value
    // columns to the first step, which holds every element, the mark column to its widest mark; the
    // element's line takes the rest, and shows whole in its tooltip where it is cut short.
    m_table->resizeColumnsToContents();
    QFont font = m_table->font();
    font.setBold(true);
    font.setItalic(true);
    QFontMetrics const metrics(font);
    int markWidth = m_table->horizontalHeader()->sectionSizeHint(m_model->markColumn());
    for (form::Mark const& mark : m_player.recording().marks)
        markWidth = std::max(markWidth, metrics.horizontalAdvance(StepTableModel::markText(mark)) + 16);
    m_table->setColumnWidth(m_model->markColumn(), markWidth);
    // Room for a few characters of each element beside the other columns.
    int fixed = 0;
    for (int column = 0; column < m_model->elementColumn(); ++column)
        fixed += m_table->columnWidth(column);
    m_table->setMinimumWidth(fixed + 8 * metrics.horizontalAdvance(QChar(u'字')) +
                             m_table->verticalScrollBar()->sizeHint().width() + 2 * m_table->frameWidth());
}

void StepWindow::layOutNow() {
    // Qt tells a layout of its widgets' new sizes on a later event, and in a window not yet shown, not
    // at all: the page would keep the sizes it had asked of the collection and the controls before
    // their columns and jumps changed, squeeze them, and give the main window a wrong size to place
    // this one by. A test, or a picture of the window, may come before that event too.
    QWidget* const page = m_page->widget();
    for (QWidget* changed : {static_cast<QWidget*>(m_table), m_jumpRow}) {
        for (QWidget* widget = changed; widget && widget != page; widget = widget->parentWidget()) {
            widget->updateGeometry();
            // Activating a layout also forgets what its inner layouts had measured.
            if (widget->layout()) {
                widget->layout()->invalidate();
                widget->layout()->activate();
            }
        }
    }
    page->layout()->invalidate();
    page->layout()->activate();
}

void StepWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layOutNow();
}

void StepWindow::goToStep(std::size_t shown) {
    if (m_player.goTo(shown))
        render();
}

void StepWindow::stepBy(int delta) {
    if (m_player.stepBy(delta))
        render();
}

void StepWindow::jump(std::size_t kind, bool forward) {
    if (forward ? m_player.jumpForward(kind) : m_player.jumpBack(kind))
        render();
}

void StepWindow::setFolded(bool folded) {
    m_player.setFolded(folded);
    render();
}

void StepWindow::setPlaying(bool playing) {
    m_player.setPlaying(playing);
    render();
}

void StepWindow::render() {
    form::Step const* const current = m_player.step();
    if (m_player.playing() != m_timer->isActive()) {
        if (m_player.playing())
            m_timer->start();
        else
            m_timer->stop();
    }
    m_play->setText(text(m_player.playing() ? steptext::kPause : steptext::kPlay));
    {
        QSignalBlocker const blocker(m_slider);
        m_slider->setRange(0, current ? static_cast<int>(m_player.stepCount()) - 1 : 0);
        m_slider->setValue(static_cast<int>(m_player.current()));
    }
    {
        QSignalBlocker const blocker(m_fold);
        m_fold->setChecked(m_player.folded());
    }
    enableControls();
    m_model->setStep(current);
    if (!current) {
        m_title->setText(text(steptext::kNoClickTitle));
        m_sentence->setText(text(steptext::kNoClickSentence));
        m_position->setText(QString());
        m_slider->setAccessibleDescription(text(steptext::kSliderDescription));
        for (QLabel* label : {m_calls, m_variables, m_counters, m_error})
            showIn(*label, {}, {});
        m_procedure->setCurrent(0);
        m_error->hide();
        return;
    }
    m_position->setText(text(steptext::kPosition, {QString::number(m_player.current() + 1),
                                                   QString::number(m_player.stepCount())}));
    m_sentence->setText(toQString(current->sentence));
    // The slider usually has the focus: its description tells a screen reader the step's sentence too.
    m_slider->setAccessibleDescription(
        text(steptext::kSentenceAfterPosition, {m_position->text(), m_sentence->text()}));
    renderPanel(*current);
    showMarkedRows(*current);
}

void StepWindow::showMarkedRows(form::Step const& step) {
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
        if (step.rows[std::size_t(row)].mark == 0)
            continue;
        first = first < 0 ? row : first;
        last = row;
        if (strongest < 0 ||
            strength(m_model->markOf(row).style) >= strength(m_model->markOf(strongest).style))
            strongest = row;
    }
    if (first < 0)
        return;
    int const rowHeight = m_table->verticalHeader()->defaultSectionSize();
    if ((last - first + 1) * rowHeight <= m_table->viewport()->height()) {
        m_table->scrollTo(m_model->index(last, 0), QAbstractItemView::EnsureVisible);
        m_table->scrollTo(m_model->index(first, 0), QAbstractItemView::EnsureVisible);
    } else {
        m_table->scrollTo(m_model->index(strongest, 0), QAbstractItemView::EnsureVisible);
    }
}

void StepWindow::renderPanel(form::Step const& step) {
    m_procedure->setCurrent(step.line);

    QStringList calls;
    for (form::CallLine const& line : step.calls)
        calls << QString(line.depth * 2, QLatin1Char(' ')) + toQString(line.text);
    showIn(*m_calls, text(steptext::kCalls),
           calls.isEmpty() ? text(steptext::kNoCalls) : calls.join(QLatin1Char('\n')));

    // Each variable as "name = value"; one that this step set in bold and underlined, and said so.
    QStringList shownVariables;
    QStringList spokenVariables;
    for (form::Variable const& variable : step.variables) {
        QString const name = toQString(variable.name);
        QString const value = variable.value.empty() ? text(steptext::kNoValue) : toQString(variable.value);
        QString shown = (name + QStringLiteral(" = ") + value).toHtmlEscaped();
        QString spoken =
            name + QStringLiteral(" = ") + (variable.value.empty() ? text(steptext::kNoValueSpoken) : value);
        if (variable.changed) {
            shown = QStringLiteral("<b><u>%1</u></b>").arg(shown);
            spoken += text(steptext::kChangedSpoken);
        }
        // Unbroken within, apart by a wide space; a long list wraps between them.
        shownVariables << QStringLiteral("<span style=\"white-space:pre\">%1　</span>").arg(shown);
        spokenVariables << spoken;
    }
    if (shownVariables.isEmpty())
        showIn(*m_variables, text(steptext::kVariables), text(steptext::kNoVariables).toHtmlEscaped());
    else
        showIn(*m_variables, text(steptext::kVariables), shownVariables.join(QLatin1Char(' ')),
               spokenVariables.join(QStringLiteral("、")));

    QStringList counters;
    for (form::Counter const& counter : step.counters)
        counters << counterText(counter);
    showIn(*m_counters, text(steptext::kCounters), counters.join(QStringLiteral("　")));
    showIn(*m_error, text(steptext::kError), toQString(step.error));
    m_error->setVisible(!step.error.empty());
}

void StepWindow::enableControls() {
    // A control that can do nothing here is disabled; the focus it held goes to the slider, where the
    // arrows still step.
    QWidget* const focused = QApplication::focusWidget();
    bool const back = m_player.canGoBack();
    bool const forward = m_player.canGoForward();
    m_first->setEnabled(back);
    m_back->setEnabled(back);
    m_next->setEnabled(forward);
    m_last->setEnabled(forward);
    m_play->setEnabled(forward || m_player.playing());
    for (std::size_t index = 0; index < m_jumps.size(); ++index) {
        std::size_t const kind = index / 2;
        bool const ahead = index % 2 == 1;
        m_jumps[index]->setEnabled(ahead ? m_player.nextStop(kind).has_value()
                                         : m_player.previousStop(kind).has_value());
    }
    if (focused && isAncestorOf(focused) && !focused->isEnabled())
        m_slider->setFocus();
}

} // namespace host
