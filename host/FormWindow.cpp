#include "host/FormWindow.h"

#include "host/CommandButton.h"
#include "host/StepWindow.h"
#include "host/Utf16.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStringView>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <map>
#include <new>

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

// A list box whose frame stays whole at any scale. At a fractional device pixel ratio an edge of
// the list's viewport can fall inside a device pixel; Qt then paints the viewport out to the whole
// pixel, over the frame's line (at 1.5, the bottom line of every list box disappeared). Where an
// edge falls inside a pixel, the viewport gives up one logical pixel on that side.
class ListWidget final : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void resizeEvent(QResizeEvent* event) override {
        keepFrameVisible();
        QListWidget::resizeEvent(event);
    }
    void showEvent(QShowEvent* event) override {
        keepFrameVisible();
        QListWidget::showEvent(event);
    }

private:
    void keepFrameVisible() {
        qreal const ratio = devicePixelRatioF();
        int const frame = frameWidth();
        auto inside = [ratio](int logical) {
            qreal const device = logical * ratio;
            return device != std::floor(device);
        };
        setViewportMargins(0, 0, inside(width() - frame) ? 1 : 0, inside(height() - frame) ? 1 : 0);
    }
};

QString buttonObjectName(std::string_view name, int index) {
    return QString::fromUtf8(name.data(), qsizetype(name.size())) + QStringLiteral("(%1)").arg(index);
}

// The user sees the kind of error in the window's language, followed by the runtime's detail.
QString describe(runtime::ErrorKind kind) {
    switch (kind) {
    case runtime::ErrorKind::Overflow:
        return QStringLiteral("オーバーフローしました。");
    case runtime::ErrorKind::SubscriptOutOfRange:
        return QStringLiteral("インデックスが範囲外です。");
    case runtime::ErrorKind::TypeMismatch:
        return QStringLiteral("型が一致しません。");
    case runtime::ErrorKind::ObjectRequired:
        return QStringLiteral("オブジェクトが必要です。");
    case runtime::ErrorKind::FailedCall:
        return QStringLiteral("呼び出しに失敗しました。");
    case runtime::ErrorKind::InvalidArgument:
        return QStringLiteral("引数が正しくありません。");
    case runtime::ErrorKind::OutOfMemory:
        return QStringLiteral("メモリが不足しています。");
    }
    return QStringLiteral("実行時エラーです。");
}

// Checks a layout against its form before anything is built or bound, so that a bad layout leaves
// no list box bound to a view that is about to go away.
void checkLayout(form::Form const& form) {
    for (form::ControlLayout const& control : form.layout().controls) {
        if (control.kind == form::ControlKind::ListBox && !form.listBox(control.name))
            runtime::raise(runtime::ErrorKind::FailedCall, "the form has no list box named ", control.name);
        if (control.kind == form::ControlKind::CommandButton &&
            (control.index < 0 || control.index > std::numeric_limits<std::int16_t>::max()))
            runtime::raise(runtime::ErrorKind::InvalidArgument, "button ", control.name, " has index ",
                           control.index);
    }
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
        if (m_lastClick >= 0)
            m_steps->showClick(m_lastClick);
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
        about =
            new QMessageBox(QMessageBox::Information, m_aboutTitle, m_aboutText, QMessageBox::Close, this);
        about->setObjectName(QStringLiteral("about"));
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
    runtime::raise(runtime::ErrorKind::InvalidArgument, "unknown control kind");
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
    try {
        if (m_trace) {
            QString const caption = m_buttons[static_cast<std::size_t>(index)]->text();
            m_trace->beginClick(toU16(caption));
        }
        m_form.Command1_Click(static_cast<std::int16_t>(index));
    } catch (...) {
        // Nothing but the runtime's own error should leave a handler; anything else is still
        // reported, as a failed call or as out-of-memory, and must not end the program.
        report(runtime::currentError());
    }
    if (m_trace)
        m_trace->endClick();
    // The step window records the click again on its own, so the click itself had no reader.
    m_lastClick = index;
    if (m_steps)
        m_steps->showClick(index);
}

void FormWindow::addStepsButton(QMessageBox& about) {
    about.setInformativeText(
        QStringLiteral("F2 キーか下のボタンで手順のウィンドウを開くと、ボタンを押したときの"
                       "アルゴリズムの動きを 1 手順ずつ、前後に動かしながら見られます。"));
    QPushButton* const open = about.addButton(QStringLiteral("手順を見る (F2)"), QMessageBox::ActionRole);
    open->setAccessibleDescription(QStringLiteral("手順のウィンドウを開きます"));
    connect(open, &QPushButton::clicked, this, &FormWindow::showSteps);
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
    QMessageBox::critical(this, windowTitle(),
                          describe(error.kind()) + QStringLiteral("\n\n") + QString::fromUtf8(error.what()));
}

QString errorKindText(runtime::ErrorKind kind) { return describe(kind); }

} // namespace host
