#include "host/FormWindow.h"

#include "form/Steps.h"
#include "host/CaptionBreaks.h"
#include "host/CommandButton.h"
#include "host/StepTexts.h"
#include "host/StepWindow.h"
#include "host/UiFont.h"
#include "host/Utf16.h"
#include "host/WholeFrame.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStringView>
#include <QStyledItemDelegate>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <map>
#include <new>
#include <optional>

namespace host {

namespace {

// Shows a form's list box in a list widget for as long as it lives. It unbinds the list box only if
// the list box is still bound to it, so a second window on the same form keeps its own binding.
class ListWidgetView final : public form::ListBoxView {
public:
    ListWidgetView(QListWidget& widget, form::ListBox& box) : m_widget(widget), m_box(box) {
        m_box.bind(this);
    }
    ListWidgetView(ListWidgetView const&) = delete;
    ListWidgetView& operator=(ListWidgetView const&) = delete;
    ~ListWidgetView() override { m_box.unbind(this); }

    void clear() override { m_widget.clear(); }
    void append(std::u16string_view line) override { m_widget.addItem(toQString(line)); }

private:
    QListWidget& m_widget;
    form::ListBox& m_box;
};

// Draws each line of a list at the compact pitch of its font (see compactLineBox()), so that a list
// shows as many lines in a face with tall line spacing as in any other.
class CompactLineDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(QStyleOptionViewItem const& option, QModelIndex const& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(qCeil(compactLineBox(option.font).pitch));
        return size;
    }

    // The style draws the line's background, selection and focus; the text follows on its own
    // baseline.
    void paint(QPainter* painter, QStyleOptionViewItem const& option,
               QModelIndex const& index) const override {
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        QStyle const* const style = item.widget ? item.widget->style() : QApplication::style();
        int const margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
        QRectF const area = QRectF(style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget))
                                .adjusted(margin, 0, -margin, 0);
        QString const text = QFontMetricsF(item.font).elidedText(item.text, Qt::ElideRight, area.width());
        item.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

        LineBox const box = compactLineBox(item.font);
        QPalette::ColorGroup const group = !(item.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (item.state & QStyle::State_Active) ? QPalette::Active
                                                                                 : QPalette::Inactive;
        bool const selected = item.state & QStyle::State_Selected;
        qreal const width = QFontMetricsF(item.font).horizontalAdvance(text);
        qreal const left = item.direction == Qt::RightToLeft ? area.right() - width : area.left();
        painter->save();
        painter->setFont(item.font);
        painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QPointF(left, area.top() + (area.height() - box.pitch) / 2 + box.ascent), text);
        painter->restore();
    }
};

// A list box whose lines are drawn at a compact pitch, and whose frame stays whole at any scale.
class ListWidget final : public WholeFrame<QListWidget> {
public:
    explicit ListWidget(QWidget* parent) : WholeFrame(parent) {
        setItemDelegate(new CompactLineDelegate(this));
        setUniformItemSizes(true);
    }
};

QString buttonObjectName(std::string_view name, int index) {
    return QString::fromUtf8(name.data(), qsizetype(name.size())) + QStringLiteral("(%1)").arg(index);
}

// Checks a layout against its form before anything is built or bound, so that a bad layout leaves
// no list box bound to a view that is about to go away.
void checkLayout(form::Form const& form) {
    for (form::ControlLayout const& control : form.layout().controls) {
        if (control.kind == form::ControlKind::ListBox && !form.listBox(control.name))
            runtime::raise(runtime::ErrorKind::FailedCall,
                           runtime::en("the form has no list box named ", control.name),
                           runtime::ja("フォームにリストボックス ", control.name, " がありません"));
        if (control.kind == form::ControlKind::CommandButton &&
            (control.index < 0 || control.index > std::numeric_limits<std::int16_t>::max()))
            runtime::raise(runtime::ErrorKind::InvalidArgument,
                           runtime::en("button ", control.name, " has index ", control.index),
                           runtime::ja("ボタン ", control.name, " のインデックス ", control.index,
                                       " は 0 から ", std::numeric_limits<std::int16_t>::max(),
                                       " の範囲にありません"));
    }
}

// Paragraphs of text (apart by an empty line) broken between phrases (see breakParagraph()) to a
// width that a message box keeps: it wraps a text itself, anywhere, once the text is wider than half
// the screen or 500 pixels. Its icon and margins are given 8 ems.
QString brokenBetweenPhrases(QString const& text, QFont const& font, QScreen const* screen) {
    QFontMetricsF const metrics(font);
    qreal const em = metrics.horizontalAdvance(QChar(u'字'));
    qreal const screenWidth = screen ? screen->availableGeometry().width() : 1000;
    qreal const width = std::min(30 * em, std::min(screenWidth / 2, qreal(500)) - 8 * em);
    QStringList paragraphs = text.split(QStringLiteral("\n\n"));
    for (QString& paragraph : paragraphs)
        paragraph = breakParagraph(paragraph, width, [&](QString const& line) {
                        return metrics.horizontalAdvance(line);
                    }).join(QLatin1Char('\n'));
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace

FormWindow::FormWindow(form::Form& form, QWidget* parent) : QWidget(parent), m_form(form) {
    form::FormLayout const& layout = form.layout();
    checkLayout(form);
    setWindowTitle(toQString(layout.caption));
    setGeometry(toPixels(layout.left), toPixels(layout.top), toPixels(layout.width), toPixels(layout.height));

    std::map<int, QWidget*> byTabOrder;
    for (form::ControlLayout const& control : layout.controls) {
        QWidget* widget = createControl(control);
        widget->setGeometry(toPixels(control.left), toPixels(control.top), toPixels(control.width),
                            toPixels(control.height));
        if (!control.accessibleName.empty())
            widget->setAccessibleName(toQString(control.accessibleName));
        widget->setAccessibleDescription(toQString(control.accessibleDescription));
        byTabOrder.emplace(control.tabOrder, widget);
    }
    QWidget* previous = nullptr;
    for (auto const& [order, widget] : byTabOrder) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
    m_reporter = [this](runtime::RuntimeError const& error) { showErrorBox(error); };

    auto* const quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    auto* const help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &FormWindow::showAbout);
    auto* const steps = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(steps, &QShortcut::activated, this, &FormWindow::showSteps);
}

void FormWindow::showSteps() {
    if (!m_lesson)
        return;
    if (!m_steps) {
        QStringList captions;
        for (QPushButton const* button : m_buttons)
            captions << (button ? button->text() : QString());
        m_steps = new StepWindow(*m_lesson, captions, this);
        m_steps->setCallTrace(m_trace);
        if (m_lastClick >= 0)
            m_steps->showClick(m_lastClick);
        // Named after the program, as its About window is: "Talverin" of "Talverin（整数の並べ替え）".
        QString const program = m_aboutTitle.section(QChar(u'（'), 0, 0);
        if (!program.isEmpty())
            m_steps->setProgramName(program);
        // Beside this window, not over it, the first time it opens; after that where the learner left it.
        m_steps->placeBeside(*this);
    }
    m_steps->show();
    m_steps->raise();
    m_steps->activateWindow();
}

void FormWindow::showAbout() {
    if (m_aboutText.isEmpty())
        return;
    // Shown without blocking, and made once: F1 again brings the same window forward.
    auto* about = findChild<QMessageBox*>(QStringLiteral("about"));
    if (!about) {
        about = new QMessageBox(QMessageBox::Information, m_aboutTitle, QString(), QMessageBox::Close, this);
        about->setObjectName(QStringLiteral("about"));
        about->setText(brokenBetweenPhrases(m_aboutText, about->font(), about->screen()));
        // The window speaks Japanese under every locale, and so does its About window's button.
        about->button(QMessageBox::Close)->setText(QStringLiteral("閉じる"));
        about->setWindowModality(Qt::NonModal);
        if (m_lesson)
            addStepsButton(*about);
    }
    about->show();
    about->raise();
}

// The views, and with them the list boxes' bindings, go before the list widgets they show.
FormWindow::~FormWindow() = default;

QWidget* FormWindow::createControl(form::ControlLayout const& control) {
    switch (control.kind) {
    case form::ControlKind::CommandButton: {
        auto* button = new CommandButton(toQString(control.caption), this);
        button->setObjectName(buttonObjectName(control.name, control.index));
        int const index = control.index;
        connect(button, &QPushButton::clicked, this, [this, index] { dispatchClick(index); });
        if (m_buttons.size() <= static_cast<std::size_t>(index))
            m_buttons.resize(static_cast<std::size_t>(index) + 1);
        m_buttons[static_cast<std::size_t>(index)] = button;
        return button;
    }
    case form::ControlKind::ListBox: {
        auto* widget = new ListWidget(this);
        widget->setObjectName(QString::fromUtf8(control.name.data(), qsizetype(control.name.size())));
        m_views.push_back(std::make_unique<ListWidgetView>(*widget, *m_form.listBox(control.name)));
        return widget;
    }
    }
    runtime::raise(runtime::ErrorKind::InvalidArgument, runtime::en("unknown control kind"),
                   runtime::ja("コントロールの種類が分かりません"));
}

void FormWindow::setErrorReporter(ErrorReporter reporter) { m_reporter = std::move(reporter); }

void FormWindow::setAbout(QString title, QString text) {
    m_aboutTitle = std::move(title);
    m_aboutText = std::move(text);
}

QPushButton* FormWindow::commandButton(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_buttons.size())
        return nullptr;
    return m_buttons[static_cast<std::size_t>(index)];
}

QListWidget* FormWindow::listWidget(std::string_view name) const {
    return findChild<QListWidget*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

void FormWindow::dispatchClick(int index) {
    std::optional<runtime::RuntimeError> failure;
    {
        // The trace reads the click and nothing else: it is attached for the click alone.
        runtime::Attachment traced;
        try {
            if (m_trace) {
                QString const caption = m_buttons[static_cast<std::size_t>(index)]->text();
                m_trace->beginClick(toU16(caption));
                m_trace->attachTo(traced);
            }
            m_form.Command1_Click(static_cast<std::int16_t>(index));
        } catch (...) {
            // Nothing but the runtime's own error should leave a handler; anything else is still
            // reported, as a failed call or as out-of-memory, and must not end the program.
            failure = runtime::currentError();
        }
        if (m_trace)
            m_trace->endClick(failure ? &*failure : nullptr);
    }
    if (failure)
        report(*failure);
    // The step window records the click again on its own, so the click itself had no reader.
    m_lastClick = index;
    if (m_steps)
        m_steps->showClick(index);
}

void FormWindow::addStepsButton(QMessageBox& about) {
    about.setInformativeText(
        brokenBetweenPhrases(toQString(steptext::kAboutSteps), about.font(), about.screen()));
    QPushButton* const open = about.addButton(toQString(steptext::kAboutOpen), QMessageBox::ActionRole);
    open->setAccessibleDescription(toQString(steptext::kAboutOpenDescription));
    connect(open, &QPushButton::clicked, this, &FormWindow::showSteps);
    // F2 opens it from here too, as the button's caption says.
    auto* const steps = new QShortcut(QKeySequence(Qt::Key_F2), &about);
    connect(steps, &QShortcut::activated, this, &FormWindow::showSteps);
}

void FormWindow::report(runtime::RuntimeError const& error) noexcept {
    try {
        m_reporter(error);
    } catch (...) {
        // The report itself could not be made, most likely for want of memory: one line on
        // standard error instead, written without allocating.
        std::fputs(error.what(), stderr);
        std::fputc('\n', stderr);
    }
}

void FormWindow::showErrorBox(runtime::RuntimeError const& error) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), QString(), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("error"));
    box.setText(brokenBetweenPhrases(errorText(error), box.font(), box.screen()));
    box.exec();
}

QString errorText(runtime::RuntimeError const& error) {
    return QStringLiteral("実行時エラー: ") + toQString(form::errorText(error));
}

} // namespace host
