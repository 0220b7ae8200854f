#include "host/StepWindow.h"

#include "host/CommandButton.h"
#include "host/FormWindow.h"
#include "host/Utf16.h"
#include "host/WholeFrame.h"
#include "runtime/Error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QStringView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace host {

namespace {

// How fast playing goes: a step every so many milliseconds.
struct Speed {
    char16_t const* name;
    int interval;
};
constexpr Speed kSpeeds[] = {{u"ゆっくり", 1500}, {u"ふつう", 700}, {u"はやく", 250}};
constexpr int kNormalSpeed = 1;

// What the mark column says of a row, so that no mark depends on colour alone.
QString markText(form::Mark mark) {
    switch (mark) {
    case form::Mark::Lhs:
        return QStringLiteral("lhs（j）");
    case form::Mark::Rhs:
        return QStringLiteral("rhs（i）");
    case form::Mark::Read:
        return QStringLiteral("Item で読んだ");
    case form::Mark::Added:
        return QStringLiteral("Add した");
    case form::Mark::Twin:
        return QStringLiteral("同じ要素");
    case form::Mark::Removed:
        return QStringLiteral("Remove した");
    case form::Mark::Exchanged:
        return QStringLiteral("交換した");
    case form::Mark::None:
        break;
    }
    return {};
}

// Each mark also has a style of its own: lhs bold, rhs italic and underlined, a removed row struck
// through; the colours only add to that.
void styleRow(QTableWidget& table, int row, form::Mark mark) {
    QColor background;
    QFont font = table.font();
    switch (mark) {
    case form::Mark::Lhs:
        font.setBold(true);
        background = QColor(255, 214, 153);
        break;
    case form::Mark::Rhs:
        font.setItalic(true);
        font.setUnderline(true);
        background = QColor(179, 215, 255);
        break;
    case form::Mark::Read:
    case form::Mark::Added:
    case form::Mark::Exchanged:
        font.setBold(true);
        background = QColor(200, 240, 200);
        break;
    case form::Mark::Twin:
        font.setItalic(true);
        background = QColor(235, 250, 235);
        break;
    case form::Mark::Removed:
        font.setStrikeOut(true);
        background = QColor(225, 225, 225);
        break;
    case form::Mark::None:
        return;
    }
    for (int column = 0; column < table.columnCount(); ++column) {
        QTableWidgetItem* item = table.item(row, column);
        // The mark names what happened and is read as it is; only the element is struck through.
        QFont cellFont = font;
        if (column == 1)
            cellFont.setStrikeOut(false);
        item->setFont(cellFont);
        item->setBackground(background);
        item->setForeground(Qt::black);
    }
}

void describe(QWidget& widget, QString const& name, QString const& description) {
    widget.setAccessibleName(name);
    widget.setAccessibleDescription(description);
}

QPushButton* makeButton(QString const& caption, QString const& name, QString const& description,
                        QWidget* parent) {
    auto* button = new CommandButton(caption, parent);
    describe(*button, name, description);
    return button;
}

} // namespace

QRect besideWindow(QRect main, QSize size, QSize minimum, QRect available) {
    size = size.boundedTo(available.size()).expandedTo(minimum);
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
    // No side has room: on the screen, where it covers the least of the main window.
    return within(available,
                  QPoint(available.right() + 1 - size.width(), available.bottom() + 1 - size.height()));
}

StepWindow::StepWindow(form::Lesson const& lesson, QStringList captions, QWidget* parent)
    : QWidget(parent, Qt::Window), m_lesson(lesson), m_captions(std::move(captions)),
      m_timer(new QTimer(this)) {
    setWindowTitle(QStringLiteral("手順 — %1").arg(toQString(lesson.procedure)));
    setObjectName(QStringLiteral("steps"));

    m_title = new QLabel(this);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_sentence = new QLabel(this);
    m_sentence->setWordWrap(true);
    QFont sentenceFont = m_sentence->font();
    sentenceFont.setPointSizeF(sentenceFont.pointSizeF() * 1.2);
    m_sentence->setFont(sentenceFont);
    m_sentence->setMinimumHeight(m_sentence->fontMetrics().lineSpacing() * 3);
    m_sentence->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_sentence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The label's text is its accessible name, so each new sentence is told to screen readers.
    m_sentence->setAccessibleDescription(QStringLiteral("いまの手順の説明"));

    m_procedure = new WholeFrame<QListWidget>(this);
    describe(*m_procedure, QStringLiteral("手続き %1").arg(toQString(lesson.procedure)),
             QStringLiteral("手続きの行。いまの行に ▶ が付きます"));
    for (std::size_t line = 0; line < lesson.lines.size(); ++line)
        m_procedure->addItem(QStringLiteral("   %1  %2").arg(line + 1).arg(toQString(lesson.lines[line])));
    // The ▶ marks the current line; a selection would be a second mark beside it.
    m_procedure->setSelectionMode(QAbstractItemView::NoSelection);
    m_procedure->setFocusPolicy(Qt::NoFocus);
    m_procedure->setMinimumWidth(m_procedure->sizeHintForColumn(0) + 24);
    m_procedure->setFixedHeight(m_procedure->sizeHintForRow(0) * static_cast<int>(lesson.lines.size()) + 8);

    m_table = new WholeFrame<QTableWidget>(this);
    describe(*m_table, QStringLiteral("コレクション"),
             QStringLiteral("いまのコレクションの要素。1行に1つ、位置の順"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    // No stop for Tab: the table's arrows would walk its cells, and the window's arrows step. Its
    // rows are read from the step's sentence and the slider's description.
    m_table->setFocusPolicy(Qt::NoFocus);
    // Rows no taller than a line, so that a roster of twenty shows whole.
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);

    m_calls = new QLabel(this);
    describe(*m_calls, QStringLiteral("呼び出し"),
             QStringLiteral("この手順で呼んだメソッドと、読んだメンバーの値"));
    m_calls->setTextFormat(Qt::PlainText);
    m_calls->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_calls->setMinimumHeight(m_calls->fontMetrics().lineSpacing() * 3);
    m_counters = new QLabel(this);
    describe(*m_counters, QStringLiteral("カウンター"),
             QStringLiteral("ここまでのパス、比較、交換、要素の数"));
    m_error = new QLabel(this);
    describe(*m_error, QStringLiteral("エラー"), QStringLiteral("この手順で起きた実行時エラー"));
    m_error->setWordWrap(true);
    // Its width follows the column, never the text: a long error wraps at its spaces instead of
    // widening the column and narrowing the table on that one step.
    m_error->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_error->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));

    QWidget* const controls = createControls();
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("手続き %1").arg(toQString(lesson.procedure)), this));
    side->addWidget(m_procedure);
    side->addWidget(new QLabel(QStringLiteral("呼び出し"), this));
    side->addWidget(m_calls);
    side->addWidget(m_counters);
    side->addWidget(m_error);
    side->addWidget(m_fold);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addLayout(side, 0);
    middle->addWidget(m_table, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_sentence);
    layout->addLayout(middle, 1);
    layout->addWidget(controls);
    if (lesson.takesNumbers)
        layout->addWidget(createOwnNumbers());

    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_current + 1 >= m_visible.size())
            setPlaying(false);
        else
            stepBy(1);
    });
    addKeys();
    resize(980, 680);
    // The keys work wherever the focus is but in the field; it starts on the slider, which stays
    // enabled even before the first click so that the focus never falls to the field.
    m_slider->setFocus();
    render();
}

void StepWindow::addKeys() {
    // Shortcuts of the whole window, so that the keys step whichever control has the focus. The field
    // of own numbers claims its editing keys first (a line edit overrides shortcuts for them), so
    // there they edit the text.
    auto const add = [this](QKeySequence const& keys, auto action) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    add(QKeySequence(Qt::Key_Left), [this] { stepBy(-1); });
    add(QKeySequence(Qt::Key_Right), [this] { stepBy(1); });
    add(QKeySequence(Qt::Key_Home), [this] { goToStep(0); });
    add(QKeySequence(Qt::Key_End), [this] { goToStep(m_visible.empty() ? 0 : m_visible.size() - 1); });
    add(QKeySequence(Qt::Key_Space), [this] { setPlaying(!m_timer->isActive()); });
    add(QKeySequence(Qt::Key_Escape), [this] { close(); });
    // Ctrl+Q ends the program here as in the main window.
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] {
        close();
        if (QWidget* const main = parentWidget())
            main->close();
    });
}

StepWindow::~StepWindow() = default;

QWidget* StepWindow::createControls() {
    auto* controls = new QWidget(this);
    m_first = makeButton(QStringLiteral("先頭"), QStringLiteral("最初の手順へ"), QStringLiteral("Home キー"),
                         controls);
    m_back =
        makeButton(QStringLiteral("前へ"), QStringLiteral("前の手順へ"), QStringLiteral("← キー"), controls);
    m_next =
        makeButton(QStringLiteral("次へ"), QStringLiteral("次の手順へ"), QStringLiteral("→ キー"), controls);
    m_last = makeButton(QStringLiteral("末尾"), QStringLiteral("最後の手順へ"), QStringLiteral("End キー"),
                        controls);
    m_play = makeButton(QStringLiteral("再生"), QStringLiteral("再生と一時停止"),
                        QStringLiteral("手順を自動で進めます。スペースキーでも切り替えます"), controls);
    m_speed = new QComboBox(controls);
    describe(*m_speed, QStringLiteral("再生の速さ"), QStringLiteral("再生で手順を進める速さ"));
    for (Speed const& speed : kSpeeds)
        m_speed->addItem(QString::fromUtf16(speed.name));
    m_speed->setCurrentIndex(kNormalSpeed);
    m_slider = new QSlider(Qt::Horizontal, controls);
    describe(*m_slider, QStringLiteral("手順の位置"), QStringLiteral("好きな手順へ移ります"));
    // Wide enough to be dragged and to show where in the run it stands, at any window size.
    m_slider->setMinimumWidth(m_slider->fontMetrics().horizontalAdvance(QStringLiteral("手順 0000 / 0000")));
    m_position = new QLabel(controls);
    m_position->setMinimumWidth(
        m_position->fontMetrics().horizontalAdvance(QStringLiteral("手順 0000 / 0000")));
    describe(*m_position, QStringLiteral("手順の番号"), QStringLiteral("いまの手順とすべての手順の数"));
    m_fold = new QCheckBox(QStringLiteral("交換を 1 手順にまとめる(&F)"), controls);
    describe(*m_fold, QStringLiteral("交換を 1 手順にまとめる"),
             QStringLiteral("交換の Item・Add・Remove を 1 つの手順として見せます"));
    auto* speedLabel = new QLabel(QStringLiteral("速さ(&S)"), controls);
    speedLabel->setBuddy(m_speed);

    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_first, m_back, m_next, m_last, m_play, speedLabel, m_speed})
        row->addWidget(widget);
    row->addWidget(m_slider, 1);
    row->addWidget(m_position);

    connect(m_first, &QPushButton::clicked, this, [this] { goToStep(0); });
    connect(m_back, &QPushButton::clicked, this, [this] { stepBy(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { stepBy(1); });
    connect(m_last, &QPushButton::clicked, this,
            [this] { goToStep(m_visible.empty() ? 0 : m_visible.size() - 1); });
    connect(m_play, &QPushButton::clicked, this, [this] { setPlaying(!m_timer->isActive()); });
    connect(m_speed, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_timer->setInterval(kSpeeds[std::clamp(index, 0, 2)].interval); });
    m_timer->setInterval(kSpeeds[kNormalSpeed].interval);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (value >= 0 && static_cast<std::size_t>(value) != m_current)
            goToStep(static_cast<std::size_t>(value));
    });
    connect(m_fold, &QCheckBox::toggled, this, &StepWindow::setFolded);
    m_fold->setVisible(false);
    return controls;
}

QWidget* StepWindow::createOwnNumbers() {
    auto* own = new QWidget(this);
    m_numbers = new QLineEdit(own);
    describe(
        *m_numbers, QStringLiteral("自分の数"),
        QStringLiteral("2 個から 20 個までの整数を、空白かコンマで区切って入れます。Enter で実行します"));
    m_numbers->setPlaceholderText(QStringLiteral("例: 3 1 2"));
    auto* label = new QLabel(QStringLiteral("自分の数(&N)"), own);
    label->setBuddy(m_numbers);
    m_chooser = new QComboBox(own);
    describe(*m_chooser, QStringLiteral("使うボタン"), QStringLiteral("自分の数に使う比較子か関数のボタン"));
    m_chooser->addItems(m_captions);
    m_run = makeButton(
        QStringLiteral("実行"), QStringLiteral("自分の数で実行"),
        QStringLiteral("入れた数で、選んだボタンの手順を記録します。メインウィンドウは変わりません"), own);
    m_message = new QLabel(own);
    describe(*m_message, QStringLiteral("入力についてのメッセージ"),
             QStringLiteral("入れた数を実行できない理由"));
    m_message->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
    m_message->setWordWrap(true);

    auto* row = new QGridLayout(own);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label, 0, 0);
    row->addWidget(m_numbers, 0, 1);
    row->addWidget(m_chooser, 0, 2);
    row->addWidget(m_run, 0, 3);
    row->addWidget(m_message, 1, 1, 1, 3);
    row->setColumnStretch(1, 1);
    connect(m_run, &QPushButton::clicked, this, &StepWindow::runOwnNumbers);
    connect(m_numbers, &QLineEdit::returnPressed, this, &StepWindow::runOwnNumbers);
    return own;
}

void StepWindow::showClick(int index) {
    if (m_chooser)
        m_chooser->setCurrentIndex(index);
    QString const title = QStringLiteral("「%1」のクリック").arg(m_captions.value(index));
    try {
        showRecording(m_lesson.record(static_cast<std::int16_t>(index), {}), title);
    } catch (...) {
        // The algorithm's own errors are recorded at their step; this is one that happened outside
        // it, such as memory running out. The main window's click is over and must not see it.
        runtime::RuntimeError const error = runtime::currentError();
        try {
            form::Recording failed;
            failed.steps.emplace_back().kind = form::StepKind::Error;
            failed.steps.back().error = error.what();
            failed.steps.back().errorKind = error.kind();
            showRecording(std::move(failed), title);
        } catch (...) {
            m_recording = {};
            m_visible.clear();
        }
    }
}

void StepWindow::runOwnNumbers() {
    if (!m_numbers)
        return;
    QString const typed = m_numbers->text();
    form::ParsedNumbers const parsed = form::parseNumbers(toU16(typed));
    m_message->setText(toQString(parsed.message));
    if (parsed.numbers.empty())
        return;
    int const index = std::max(0, m_chooser->currentIndex());
    QString const title =
        QStringLiteral("自分の数（%1 個）で「%2」").arg(parsed.numbers.size()).arg(m_captions.value(index));
    try {
        showRecording(m_lesson.record(static_cast<std::int16_t>(index), parsed.numbers), title);
    } catch (...) {
        m_message->setText(QString::fromUtf8(runtime::currentError().what()));
    }
}

void StepWindow::showRecording(form::Recording recording, QString title) {
    setPlaying(false);
    m_recording = std::move(recording);
    if (!m_recording.chosen.empty())
        title +=
            QStringLiteral(": %1 で %2").arg(toQString(m_recording.chosen), toQString(m_lesson.procedure));
    m_title->setText(title);
    m_visible = form::visibleSteps(m_recording, m_folded);
    m_current = 0;
    m_fitColumns = true;
    // Only a recording with exchanges has anything to fold.
    m_fold->setVisible(std::any_of(m_recording.steps.begin(), m_recording.steps.end(),
                                   [](form::Step const& step) { return step.wholeExchange; }));
    render();
}

form::Step const* StepWindow::step() const {
    if (m_current >= m_visible.size())
        return nullptr;
    return &m_recording.steps[m_visible[m_current]];
}

void StepWindow::goToStep(std::size_t visibleIndex) {
    if (m_visible.empty())
        return;
    m_current = std::min(visibleIndex, m_visible.size() - 1);
    render();
}

void StepWindow::stepBy(int delta) {
    if (m_visible.empty())
        return;
    if (delta < 0)
        goToStep(m_current == 0 ? 0 : m_current - 1);
    else
        goToStep(m_current + 1);
}

void StepWindow::setFolded(bool folded) {
    if (folded == m_folded)
        return;
    // Stay at the same point of the run: the first step shown from where the current one stands.
    std::size_t const at = m_visible.empty() ? 0 : m_visible[m_current];
    m_folded = folded;
    m_visible = form::visibleSteps(m_recording, m_folded);
    auto const next = std::lower_bound(m_visible.begin(), m_visible.end(), at);
    m_current = next == m_visible.end() ? (m_visible.empty() ? 0 : m_visible.size() - 1)
                                        : static_cast<std::size_t>(next - m_visible.begin());
    if (m_fold->isChecked() != folded)
        m_fold->setChecked(folded);
    render();
}

void StepWindow::setPlaying(bool playing) {
    if (playing && !m_visible.empty())
        m_timer->start();
    else
        m_timer->stop();
    m_play->setText(m_timer->isActive() ? QStringLiteral("一時停止") : QStringLiteral("再生"));
}

void StepWindow::render() {
    form::Step const* const current = step();
    bool const any = current != nullptr;
    for (QWidget* control : std::initializer_list<QWidget*>{m_first, m_back, m_next, m_last, m_play})
        control->setEnabled(any);
    {
        QSignalBlocker const blocker(m_slider);
        m_slider->setRange(0, any ? static_cast<int>(m_visible.size()) - 1 : 0);
        m_slider->setValue(static_cast<int>(m_current));
    }
    if (!any) {
        m_title->setText(QStringLiteral("まだクリックがありません"));
        m_sentence->setText(QStringLiteral(
            "メインウィンドウのボタンを押してください。そのクリックの手順を、ここで 1 つずつ見られます。"));
        m_position->setText(QString());
        m_counters->setText(QString());
        m_calls->setText(QString());
        m_error->setText(QString());
        m_table->clear();
        m_table->setRowCount(0);
        m_table->setColumnCount(0);
        return;
    }
    m_position->setText(QStringLiteral("手順 %1 / %2").arg(m_current + 1).arg(m_visible.size()));
    m_sentence->setText(toQString(current->sentence));
    // The slider usually has the focus: its description tells a screen reader the step's sentence too.
    m_slider->setAccessibleDescription(m_position->text() + QStringLiteral("。") + m_sentence->text());
    for (int line = 0; line < m_procedure->count(); ++line) {
        QListWidgetItem* item = m_procedure->item(line);
        bool const marked = line + 1 == current->line;
        QString text = item->text();
        text.replace(0, 1, marked ? QStringLiteral("▶") : QStringLiteral(" "));
        item->setText(text);
        QFont font = m_procedure->font();
        font.setBold(marked);
        item->setFont(font);
        item->setBackground(marked ? QColor(255, 240, 170) : QColor(Qt::transparent));
    }
    QStringList calls;
    for (form::CallLine const& line : current->calls)
        calls << QString(line.depth * 2, QLatin1Char(' ')) + toQString(line.text);
    m_calls->setText(calls.isEmpty() ? QStringLiteral("（なし）") : calls.join(QLatin1Char('\n')));

    QStringList counters;
    if (m_recording.passes > 0) {
        counters << QStringLiteral("パス %1 / %2").arg(current->pass).arg(m_recording.passes)
                 << QStringLiteral("比較 %1 / %2").arg(current->comparison).arg(m_recording.comparisons)
                 << QStringLiteral("交換 %1 回").arg(current->exchanges);
    }
    if (m_recording.elementCount > 0)
        counters << QStringLiteral("要素 %1 / %2").arg(current->element).arg(m_recording.elementCount);
    counters << QStringLiteral("Count = %1").arg(current->order.size());
    m_counters->setText(counters.join(QStringLiteral("　")));
    m_error->setText(current->error.empty()
                         ? QString()
                         : QStringLiteral("実行時エラー: %1 %2")
                               .arg(errorKindText(current->errorKind), QString::fromUtf8(current->error)));
    renderRows(*current);
    // Laid out at once, so that a wrapped error shows whole even before the next event.
    layout()->activate();
}

void StepWindow::renderRows(form::Step const& step) {
    std::vector<form::StepRow> const rows = form::rowsOf(step);
    bool const withValues = !m_recording.valueName.empty();
    // The element's line last, where it has room: a person's line is long.
    QStringList headers{QStringLiteral("位置"), QStringLiteral("印")};
    if (withValues)
        headers << toQString(m_recording.valueName);
    headers << QStringLiteral("要素");
    m_table->setColumnCount(static_cast<int>(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t index = 0; index < rows.size(); ++index) {
        form::StepRow const& row = rows[index];
        form::StepElement const& element = m_recording.elements[row.element];
        QStringList cells{row.position > 0 ? QString::number(row.position) : QStringLiteral("—"),
                          markText(row.mark)};
        if (withValues)
            cells << toQString(element.value);
        cells << toQString(element.text);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 0 || (withValues && column == 2))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(static_cast<int>(index), column, item);
        }
        styleRow(*m_table, static_cast<int>(index), row.mark);
    }
    // The widths are fitted once a recording, so that the columns stay put from step to step: the
    // mark column as wide as its widest mark, the others to the first step, which holds every element.
    if (m_fitColumns) {
        m_fitColumns = false;
        m_table->resizeColumnsToContents();
        QFont bold = m_table->font();
        bold.setBold(true);
        bold.setItalic(true);
        QFontMetrics const metrics(bold);
        int markWidth = m_table->columnWidth(1);
        for (form::Mark const mark : {form::Mark::Lhs, form::Mark::Rhs, form::Mark::Read, form::Mark::Added,
                                      form::Mark::Twin, form::Mark::Removed, form::Mark::Exchanged})
            markWidth = std::max(markWidth, metrics.horizontalAdvance(markText(mark)) + 16);
        m_table->setColumnWidth(1, markWidth);
    }
    m_table->horizontalHeader()->setStretchLastSection(true);
    // The headers and viewport laid out now, for the new rows and widths, not on some later event.
    m_table->doItemsLayout();
    // The rows the step is about stay in sight.
    for (std::size_t index = rows.size(); index-- > 0;) {
        if (rows[index].mark != form::Mark::None)
            m_table->scrollToItem(m_table->item(static_cast<int>(index), 0));
    }
}

} // namespace host
