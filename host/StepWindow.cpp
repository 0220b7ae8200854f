#include "host/StepWindow.h"

#include "host/ComparisonWindow.h"
#include "host/QuestionPanel.h"
#include "host/RunChooser.h"
#include "host/StepTableModel.h"
#include "host/StepTexts.h"
#include "host/StepWidgets.h"
#include "host/Utf16.h"
#include "host/WhyPanel.h"
#include "form/Numbers.h"
#include "runtime/Error.h"
#include "runtime/Observer.h"

#include <QAbstractButton>
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
#include <QPushButton>
#include <QMoveEvent>
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
#include <cmath>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>

namespace host {

namespace {

using steptext::Text;

// How fast playing goes: a step every so many milliseconds.
struct Speed {
    Text name;
    int interval;
};
constexpr Speed kSpeeds[] = {{steptext::kSlow, 1500}, {steptext::kNormal, 700}, {steptext::kFast, 250}};
constexpr int kNormalSpeed = 1;

// The keys of the first two kinds of jump, back and forward, with their names as the guides write
// them (Qt would say PgUp); further kinds have buttons only.
struct JumpKeys {
    QKeySequence back;
    QKeySequence forward;
    steptext::Text backName;
    steptext::Text forwardName;
};
JumpKeys const kJumpKeys[] = {
    {QKeySequence(Qt::Key_PageUp), QKeySequence(Qt::Key_PageDown), steptext::kPageUp, steptext::kPageDown},
    {QKeySequence(Qt::CTRL | Qt::Key_PageUp), QKeySequence(Qt::CTRL | Qt::Key_PageDown), steptext::kCtrlPageUp,
     steptext::kCtrlPageDown},
};

// The layout of the window's page. Its wrapped labels take the height they need for the width they
// get, from the collection's share, but the page does not ask for their preferred heights: a scroll
// area would then scroll a page that still fits, where the collection could give up room.
class PageLayout final : public QVBoxLayout {
public:
    using QVBoxLayout::QVBoxLayout;
    bool hasHeightForWidth() const override { return false; }
};

// The screen's available area, less a pixel at a fractional scale, where a window of the whole logical
// size would round to a device pixel past the edge.
QRect usableArea(QScreen const& screen) {
    QRect available = screen.availableGeometry();
    if (screen.devicePixelRatio() != std::floor(screen.devicePixelRatio()))
        available.adjust(0, 0, -1, -1);
    return available;
}

// The line with each blank inside a run of Latin text made unbreakable, so that wrapping breaks a
// procedure line between its words, never inside an expression such as "j + 1" or a call.
QString keepLatinRunsWhole(QString line) {
    auto const latin = [](QChar c) { return c.unicode() > u' ' && c.unicode() < 0x7F; };
    for (qsizetype at = 1; at + 1 < line.size(); ++at) {
        if (line[at] == u' ' && latin(line[at - 1]) && latin(line[at + 1]))
            line[at] = QChar(0x00A0);
    }
    return line;
}

} // namespace

// The procedure's lines, the current one marked with ▶, in bold and a tint; each line wrapped to the
// list's width rather than cut short, the list as tall as its lines.
class ProcedureList final : public WholeFrame<QListWidget> {
public:
    ProcedureList(std::span<std::u16string_view const> lines, QWidget* parent) : WholeFrame(parent) {
        for (std::size_t line = 0; line < lines.size(); ++line)
            addItem(QStringLiteral("   %1  %2").arg(line + 1).arg(keepLatinRunsWhole(toQString(lines[line]))));
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
      m_page(new QScrollArea(this)), m_timer(new QTimer(this)) {
    setWindowTitle(text(steptext::kWindowTitle, {toQString(lesson.procedure)}));
    setObjectName(QStringLiteral("steps"));

    // Everything stands on one page, which scrolls only on a screen too small for it.
    m_page->setObjectName(QStringLiteral("page"));
    QWidget* const page = scrolledPage(*this, *m_page);

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

    m_question = new QuestionPanel(page);
    m_question->chose = [this](std::int32_t choice) { answer(choice); };
    m_question->typed = [this](QString const& typed) { answerText(typed); };
    m_question->skipped = [this] { skipQuestion(); };
    m_question->goTo = [this](std::size_t shown) {
        goToStep(shown);
        focusSlider();
    };
    m_why = new WhyPanel(page);
    m_why->dismissed = [this](bool focusWasInside) {
        if (focusWasInside)
            focusSlider();
    };

    m_table = new CollectionView(page);
    // A position is answered by choosing its row.
    m_table->rowChosen = [this](int row) {
        form::Step const* const current = step();
        if (!current || row < 0 || std::size_t(row) >= current->rows.size())
            return;
        std::int32_t const position = current->rows[std::size_t(row)].position;
        if (position <= 0)
            m_question->refuse(text(steptext::kRowWithoutPosition));
        else
            answer(position);
    };

    auto* middle = new QHBoxLayout;
    middle->addWidget(createPanel(), 0);
    middle->addWidget(m_table, 1);

    auto* layout = new PageLayout(page);
    layout->addWidget(m_title);
    layout->addWidget(m_sentence);
    layout->addWidget(createState());
    layout->addWidget(m_question);
    layout->addWidget(m_why);
    layout->addLayout(middle, 1);
    layout->addWidget(createControls());
    if (lesson.takesNumbers || !lesson.choices.empty() || !lesson.dataSets.empty())
        layout->addWidget(createRuns());

    m_timer->setInterval(kSpeeds[kNormalSpeed].interval);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_quiz.tick();
        render();
    });
    addKeys();
    orderTabs();
    resize(QSize(980, 680).expandedTo(unscrolledSize()));
    // The keys work wherever the focus is but in a field; it starts on the slider, which stays
    // enabled even before the first click so that the focus never falls to a field.
    m_slider->setFocus();
    render();
}

StepWindow::~StepWindow() {
    // The views let go of the recording before it goes with the quiz: closing the window, as QWidget's
    // destructor does after this, still lays them out.
    m_table->setRecording(nullptr);
    m_why->setRecording(nullptr);
}

void StepWindow::addKeys() {
    // Shortcuts of the whole window, so that the keys step whichever control has the focus. A field
    // claims its editing keys first (a line edit overrides shortcuts for them), so there they edit the
    // text; it has no use for PageUp and PageDown, which jump from there too.
    auto const add = [this](QKeySequence const& keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(QKeySequence(Qt::Key_Left), [this] { stepBy(-1); });
    add(QKeySequence(Qt::Key_Right), [this] { stepBy(1); });
    add(QKeySequence(Qt::Key_Home), [this] { goToStep(0); });
    add(QKeySequence(Qt::Key_End), [this] { goToStep(stepCount()); });
    // Space presses the button or check box that has the focus, as everywhere; elsewhere it plays.
    add(QKeySequence(Qt::Key_Space), [this] {
        auto* const focused = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
        if (focused && isAncestorOf(focused))
            focused->click();
        else
            setPlaying(!player().playing());
    });
    for (std::size_t kind = 0; kind < std::size(kJumpKeys); ++kind) {
        add(kJumpKeys[kind].back, [this, kind] { jump(kind, false); });
        add(kJumpKeys[kind].forward, [this, kind] { jump(kind, true); });
    }
    // Esc closes the explanation first, then the window.
    add(QKeySequence(Qt::Key_Escape), [this] {
        if (m_why->isVisible())
            m_why->dismiss();
        else
            close();
    });
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
    // the score of the predictions, and the error that ended the run.
    auto* state = new QWidget;
    m_variables = columnLabel(state, Qt::RichText, text(steptext::kVariablesDescription));
    m_counters = columnLabel(state, Qt::PlainText, text(steptext::kCountersDescription));
    m_score = new QLabel(state);
    m_score->setObjectName(QStringLiteral("score"));
    m_score->setAccessibleDescription(text(steptext::kScoreDescription));
    QFont bold = m_score->font();
    bold.setBold(true);
    m_score->setFont(bold);
    m_error = columnLabel(state, Qt::PlainText, text(steptext::kErrorDescription));
    m_error->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    auto* grid = new QGridLayout(state);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(text(steptext::kVariables), state), 0, 0, Qt::AlignTop);
    grid->addWidget(m_variables, 0, 1, 1, 2);
    grid->addWidget(new QLabel(text(steptext::kCounters), state), 1, 0, Qt::AlignTop);
    grid->addWidget(m_counters, 1, 1);
    grid->addWidget(m_score, 1, 2, Qt::AlignTop);
    grid->addWidget(m_error, 2, 0, 1, 3);
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
    m_jumpRow = new QWidget(controls);
    auto* jumps = new QHBoxLayout(m_jumpRow);
    jumps->setContentsMargins(0, 0, 0, 0);
    m_whyButton =
        makeButton(text(steptext::kWhy), text(steptext::kWhyName), text(steptext::kWhyDescription), controls);
    m_predict = new QCheckBox(text(steptext::kPredict), controls);
    describe(*m_predict, text(steptext::kPredictName), text(steptext::kPredictDescription));
    m_fold = new QCheckBox(text(steptext::kFold), controls);
    describe(*m_fold, text(steptext::kFoldName), text(steptext::kFoldDescription));
    m_fold->setVisible(false);
    m_compare = makeButton(text(steptext::kCompareOpen), text(steptext::kCompareOpenName),
                           text(steptext::kCompareOpenDescription), controls);

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
    more->addWidget(m_whyButton);
    auto* modes = new QHBoxLayout;
    modes->addWidget(m_predict);
    modes->addWidget(m_fold);
    modes->addStretch(1);
    modes->addWidget(m_compare);
    auto* rows = new QVBoxLayout(controls);
    rows->setContentsMargins(0, 0, 0, 0);
    for (QHBoxLayout* row : {buttons, where, more, modes})
        rows->addLayout(row);

    connect(m_first, &QPushButton::clicked, this, [this] { goToStep(0); });
    connect(m_back, &QPushButton::clicked, this, [this] { stepBy(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { stepBy(1); });
    connect(m_last, &QPushButton::clicked, this, [this] { goToStep(stepCount()); });
    connect(m_play, &QPushButton::clicked, this, [this] { setPlaying(!player().playing()); });
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_timer->setInterval(kSpeeds[std::clamp(index, 0, int(std::size(kSpeeds)) - 1)].interval);
    });
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (value >= 0)
            goToStep(static_cast<std::size_t>(value));
    });
    connect(m_fold, &QCheckBox::toggled, this, &StepWindow::setFolded);
    connect(m_predict, &QCheckBox::toggled, this, &StepWindow::setPredicting);
    connect(m_whyButton, &QPushButton::clicked, this, [this] { m_why->open(); });
    connect(m_compare, &QPushButton::clicked, this, &StepWindow::openComparison);
    return controls;
}

void StepWindow::createJumps() {
    std::vector<std::u16string> const& names = recording().jumps;
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
                keys = text(steptext::kJumpKeys,
                            {text(forward ? kJumpKeys[kind].forwardName : kJumpKeys[kind].backName)});
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

QWidget* StepWindow::createRuns() {
    auto* runs = new QWidget;
    steptext::Chooser const& chooser = steptext::chooserOf(m_lesson.procedure);
    m_run = makeButton(text(steptext::kRun),
                       text(m_lesson.takesNumbers ? steptext::kRunName : chooser.run),
                       text(steptext::kRunDescription), runs);
    m_runs = new RunChooser(m_lesson, m_captions,
                            {text(chooser.caption), text(chooser.name), {}, {}, text(steptext::kDataSet),
                             text(steptext::kDataSetName), true},
                            m_run, runs);
    m_message = messageLabel(runs);

    auto* layout = new QVBoxLayout(runs);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_runs);
    layout->addWidget(m_message);
    connect(m_run, &QPushButton::clicked, this, &StepWindow::runChosen);
    m_runs->entered = [this] { runChosen(); };
    return runs;
}

void StepWindow::orderTabs() {
    // Top left to bottom right, as the controls stand.
    std::vector<QWidget*> order = m_question->controls();
    for (QWidget* control : m_why->controls())
        order.push_back(control);
    order.insert(order.end(), {m_first, m_back, m_next, m_last, m_play, m_speed, m_slider});
    order.insert(order.end(), m_jumps.begin(), m_jumps.end());
    order.insert(order.end(), {m_whyButton, m_predict, m_fold, m_compare});
    if (m_runs) {
        for (QWidget* control : m_runs->controls())
            order.push_back(control);
    }
    for (std::size_t index = 1; index < order.size(); ++index)
        setTabOrder(order[index - 1], order[index]);
}

QSize StepWindow::unscrolledSize() const { return host::unscrolledSize(*m_page); }

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
    QRect const available = usableArea(*screen);
    QSize const wanted = size().expandedTo(unscrolledSize()) + frame;
    Beside const beside = besideWindow(main.frameGeometry(), wanted, comfortableSize() + frame, available);
    main.move(beside.main);
    resize(beside.window.size() - frame);
    move(beside.window.topLeft());
}

QSize StepWindow::comfortableSize() const {
    // Ten rows of the collection more than at its least: room for the procedure and the calls too.
    return unscrolledSize() + QSize(0, 10 * m_table->verticalHeader()->defaultSectionSize());
}

void StepWindow::showClick(int index) {
    if (m_runs)
        m_runs->chooseButton(index);
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
            showRecording({}, title);
        }
    }
}

void StepWindow::runChosen() {
    if (!m_runs)
        return;
    RunChooser::Choice const chosen = m_runs->choice();
    QString message = chosen.message;
    QWidget* field = chosen.field;
    if (chosen.run) {
        // With --trace, the run is traced as a click of this window; the recording is the run's other
        // reader.
        runtime::Attachment traced;
        try {
            if (m_trace) {
                m_trace->beginClick(toU16(chosen.title));
                m_trace->attachTo(traced);
            }
            form::Recorded recorded = m_lesson.recordRun(*chosen.run);
            if (recorded.refusal.empty())
                showRecording(std::move(recorded.recording), chosen.title);
            else
                message = toQString(recorded.refusal);
        } catch (...) {
            // Whatever went wrong outside the algorithm's steps leaves the recording shown as it was.
            message = toQString(form::errorText(runtime::currentError()));
        }
        if (m_trace)
            m_trace->endClick();
    }
    showIn(*m_message, text(steptext::kMessage), message);
    m_runs->tell(message, field);
    if (message.isEmpty()) {
        // Run: the arrows step from the slider at once.
        m_slider->setFocus();
        return;
    }
    // Refused: the learner corrects the input where it is, and a screen reader says why.
    if (field)
        field->setFocus();
    announce(*m_message);
}

void StepWindow::showRecording(form::Recording recording, QString title) {
    m_timer->stop();
    m_table->setRecording(nullptr);
    m_why->setRecording(nullptr);
    m_quiz.load(std::move(recording));
    m_finished = false;
    m_asked.reset();
    form::Recording const& shown = player().recording();
    m_explained.assign(shown.explanations.size(), false);
    if (!shown.chosen.empty())
        title = text(steptext::kChosenTitle, {title, toQString(shown.chosen), toQString(m_lesson.procedure)});
    m_title->setText(title);
    m_table->setRecording(&shown);
    m_why->setRecording(&shown);
    createJumps();
    m_fold->setVisible(player().foldable());
    m_whyButton->setEnabled(m_why->hasExplanations());
    render();
    layOutNow();
    if (m_comparison)
        m_comparison->setTitle(windowTitle());
    // A window placed before its first recording (--steps) may be narrower than its page now needs:
    // placed again, it has the room, or scrolls only where the screen has none.
    if (QWidget* const main = parentWidget(); main && unscrolledSize().width() > width())
        placeBeside(*main);
}

void StepWindow::layOutNow() {
    // Qt tells a layout of its widgets' new sizes on a later event, and in a window not yet shown, not
    // at all: the page would keep the sizes it had asked of the collection and the controls before
    // their columns and jumps changed, squeeze them, and give the main window a wrong size to place
    // this one by. A test, or a picture of the window, may come before that event too.
    QWidget* const page = m_page->widget();
    for (QWidget* changed : {static_cast<QWidget*>(m_table), m_jumpRow, static_cast<QWidget*>(m_question),
                             static_cast<QWidget*>(m_why)}) {
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
    m_framed = false;
    keepOnScreen();
}

void StepWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // A window manager tells the size of its frame once it has framed the shown window, which moves
    // it: then, once, the window is brought within the screen again, title bar and all. Later moves
    // are the learner's.
    if (!m_framed && isVisible() && frameGeometry() != geometry()) {
        m_framed = true;
        keepOnScreen();
    }
}

void StepWindow::keepOnScreen() {
    QScreen const* const screen = this->screen();
    if (!screen)
        return;
    QRect const available = usableArea(*screen);
    QRect const frame = frameGeometry();
    if (available.contains(frame))
        return;
    QSize const margins = frame.size() - size();
    resize(size().boundedTo(available.size() - margins));
    QPoint at = frame.topLeft();
    at.setX(std::clamp(at.x(), available.left(), available.right() + 1 - (width() + margins.width())));
    at.setY(std::clamp(at.y(), available.top(), available.bottom() + 1 - (height() + margins.height())));
    move(at);
}

void StepWindow::goToStep(std::size_t shown) {
    m_quiz.goTo(shown);
    render();
}

void StepWindow::stepBy(int delta) {
    m_quiz.stepBy(delta);
    render();
}

void StepWindow::jump(std::size_t kind, bool forward) {
    if (forward)
        m_quiz.jumpForward(kind);
    else
        m_quiz.jumpBack(kind);
    render();
}

void StepWindow::setFolded(bool folded) {
    m_quiz.setFolded(folded);
    render();
}

void StepWindow::setPlaying(bool playing) {
    m_quiz.setPlaying(playing);
    render();
}

void StepWindow::setPredicting(bool predicting) {
    m_quiz.setPredicting(predicting);
    m_finished = false;
    render();
}

void StepWindow::answer(std::int32_t given) { took(m_quiz.answer(given), given); }

void StepWindow::answerText(QString const& typed) {
    // What the text answers, as the quiz reads it: a choice by its label or key, else a whole number.
    std::optional<std::int32_t> given;
    if (form::Question const* const question = m_quiz.question()) {
        if (question->kind != form::AnswerKind::Choice)
            given = form::parseWholeNumber(toU16(typed)).number;
        for (std::size_t index = 0; index < question->choices.size(); ++index) {
            form::AnswerChoice const& choice = question->choices[index];
            if (typed.trimmed().compare(toQString(choice.label), Qt::CaseInsensitive) == 0 ||
                typed.trimmed().compare(QString(QChar(choice.key)), Qt::CaseInsensitive) == 0)
                given = static_cast<std::int32_t>(index);
        }
    }
    took(m_quiz.answerText(toU16(typed)), given);
}

void StepWindow::skipQuestion() {
    bool const focused = m_question->isAncestorOf(QApplication::focusWidget()) || m_table->hasFocus();
    m_quiz.skip();
    render();
    if (focused)
        focusSlider();
}

void StepWindow::took(form::Feedback const& feedback, std::optional<std::int32_t> given) {
    if (!feedback.taken) {
        // Counts nothing: the question stays, with the reason it was not taken.
        m_question->refuse(toQString(feedback.line));
        return;
    }
    bool const focused = m_question->isAncestorOf(QApplication::focusWidget()) || m_table->hasFocus();
    render();
    if (given)
        traceAnswer(feedback, *given);
    m_question->announceFeedback();
    if (focused)
        focusSlider();
}

void StepWindow::traceAnswer(form::Feedback const& feedback, std::int32_t given) {
    form::Step const* const answered = step();
    if (!m_trace || !answered || !answered->question)
        return;
    form::Question const& question = *answered->question;
    // The step's own call and the elements it is about, as the trace names them: [position] value.
    QString call = answered->calls.empty() ? toQString(answered->sentence) : toQString(answered->calls.front().text);
    QStringList about;
    for (form::MarkStyle const marked : {form::MarkStyle::Strong, form::MarkStyle::Underlined}) {
        for (form::Row const& row : answered->rows) {
            if (recording().marks.at(row.mark).style != marked)
                continue;
            form::Element const& element = recording().elements.at(row.element);
            about << QStringLiteral("[%1] %2").arg(row.position).arg(
                         toQString(element.value.empty() ? element.text : element.value));
        }
    }
    if (!about.isEmpty())
        call += QStringLiteral(" on ") + about.join(QStringLiteral(", "));
    QString answeredText;
    switch (question.kind) {
    case form::AnswerKind::Choice:
        answeredText = given >= 0 && std::size_t(given) < question.choices.size()
                           ? toQString(question.choices[std::size_t(given)].label)
                           : QString::number(given);
        break;
    case form::AnswerKind::Position:
        answeredText = QStringLiteral("[%1]").arg(given);
        break;
    case form::AnswerKind::Number:
        answeredText = QString::number(given);
        break;
    }
    QString const line =
        text(steptext::kTraceAnswer,
             {call, answeredText, text(feedback.right ? steptext::kTraceRight : steptext::kTraceWrong)});
    m_trace->writeNote(line.toStdString());
}

void StepWindow::openComparison() {
    if (!m_comparison) {
        m_comparison = std::make_unique<ComparisonWindow>(m_lesson, m_captions);
        m_comparison->setTitle(windowTitle());
        RunChooser::Choice const chosen = m_runs ? m_runs->choice() : RunChooser::Choice{};
        int const button = chosen.run && !chosen.run->own ? chosen.run->index : 0;
        m_comparison->chooseDefault(button, toQString(recording().valueName));
        m_comparison->recordBoth();
        m_comparison->show();
        // Where this window stands, which leaves the main window in sight, and as large as two
        // collections side by side need, within the screen.
        if (QScreen const* const screen = this->screen()) {
            QRect const available = usableArea(*screen);
            QSize const frame = m_comparison->frameGeometry().size() - m_comparison->size();
            QSize const size = frameGeometry()
                                   .size()
                                   .expandedTo(m_comparison->unscrolledSize() + frame)
                                   .boundedTo(available.size());
            QPoint at = frameGeometry().topLeft();
            at.setX(std::clamp(at.x(), available.left(), available.right() + 1 - size.width()));
            at.setY(std::clamp(at.y(), available.top(), available.bottom() + 1 - size.height()));
            m_comparison->resize(size - frame);
            m_comparison->move(at);
        }
    }
    m_comparison->show();
    m_comparison->raise();
    m_comparison->activateWindow();
}

void StepWindow::focusSlider() { m_slider->setFocus(); }

void StepWindow::render() {
    form::Step const* const current = step();
    if (player().playing() != m_timer->isActive()) {
        if (player().playing())
            m_timer->start();
        else
            m_timer->stop();
    }
    if (m_quiz.predicting() && !m_quiz.question() && current && !player().canGoForward())
        m_finished = true;
    m_play->setText(text(player().playing() ? steptext::kPause : steptext::kPlay));
    {
        QSignalBlocker const blocker(m_slider);
        m_slider->setRange(0, current ? static_cast<int>(stepCount()) - 1 : 0);
        m_slider->setValue(static_cast<int>(currentStep()));
    }
    for (auto [box, checked] : {std::pair{m_fold, player().folded()}, std::pair{m_predict, m_quiz.predicting()}}) {
        QSignalBlocker const blocker(box);
        box->setChecked(checked);
    }
    enableControls();
    m_table->setStep(current);
    renderQuestion();
    showIn(*m_score, text(steptext::kScore), m_quiz.predicting() ? toQString(m_quiz.scoreText()) : QString());
    m_score->setVisible(m_quiz.predicting());
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
    m_position->setText(text(steptext::kPosition, {QString::number(currentStep() + 1), QString::number(stepCount())}));
    m_sentence->setText(toQString(current->sentence));
    // The slider usually has the focus: its description tells a screen reader the step's sentence too.
    m_slider->setAccessibleDescription(
        text(steptext::kSentenceAfterPosition, {m_position->text(), m_sentence->text()}));
    renderPanel(*current);
    // An explanation shows once a run, at the first step where it applies.
    int const explanation = current->explanation;
    if (!m_quiz.question() && explanation >= 0 && std::size_t(explanation) < m_explained.size() &&
        !m_explained[std::size_t(explanation)]) {
        m_explained[std::size_t(explanation)] = true;
        m_why->showExplanation(explanation);
    }
}

void StepWindow::renderQuestion() {
    m_question->render(m_quiz, m_finished);
    form::Question const* const question = m_quiz.question();
    bool const position = question && question->kind == form::AnswerKind::Position;
    if (m_table->choosingRow() != position) {
        bool const focused = m_table->hasFocus();
        m_table->setChoosingRow(position);
        if (focused && !position)
            focusSlider();
    }
    if (m_quiz.questionStep() == m_asked)
        return;
    m_asked = m_quiz.questionStep();
    if (!question)
        return;
    // A new question: the focus goes where it is answered, a position's on the last row the step
    // marks (the element about to be added), from where the arrows choose.
    if (position) {
        int row = 0;
        if (form::Step const* const current = step()) {
            for (std::size_t at = 0; at < current->rows.size(); ++at)
                row = current->rows[at].mark != 0 ? int(at) : row;
        }
        m_table->setCurrentIndex(m_table->model()->index(row, 0));
        m_table->setFocus();
    } else if (QWidget* const control = m_question->answerControl()) {
        control->setFocus();
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

    showIn(*m_counters, text(steptext::kCounters), countersText(step.counters));
    showIn(*m_error, text(steptext::kError), toQString(step.error));
    m_error->setVisible(!step.error.empty());
}

void StepWindow::enableControls() {
    // A control that can do nothing here is disabled; the focus it held goes to the slider, where the
    // arrows still step.
    QWidget* const focused = QApplication::focusWidget();
    bool const back = player().canGoBack();
    bool const forward = player().canGoForward();
    m_first->setEnabled(back);
    m_back->setEnabled(back);
    m_next->setEnabled(forward);
    m_last->setEnabled(forward);
    m_play->setEnabled(forward || player().playing());
    for (std::size_t index = 0; index < m_jumps.size(); ++index) {
        std::size_t const kind = index / 2;
        bool const ahead = index % 2 == 1;
        m_jumps[index]->setEnabled(ahead ? player().nextStop(kind).has_value()
                                         : player().previousStop(kind).has_value());
    }
    m_compare->setEnabled(stepCount() > 0);
    if (focused && isAncestorOf(focused) && !focused->isEnabled())
        m_slider->setFocus();
}

} // namespace host
