#include "runtime/formhost/FormWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStringView>
#include <QStyleOptionButton>
#include <QTextLayout>

#include <algorithm>
#include <exception>
#include <limits>
#include <map>
#include <new>

namespace runtime {

namespace {

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), qsizetype(text.size())).toString();
}

class ListWidgetView final : public ListBoxView {
public:
    explicit ListWidgetView(QListWidget& widget) : m_widget(widget) {}
    void clear() override { m_widget.clear(); }
    void append(std::u16string_view line) override { m_widget.addItem(toQString(line)); }

private:
    QListWidget& m_widget;
};

// A command button whose caption always fits: a caption wider than the button is wrapped onto
// further lines, breaking where Unicode allows (between words, or between any two Japanese
// characters), as command buttons do; where even that does not fit, the caption's font shrinks
// until it does. The caption is fitted again whenever the font or style changes. Enter presses
// the focused button, as Space does.
class CommandButton final : public QPushButton {
public:
    CommandButton(QString caption, QWidget* parent) : QPushButton(parent), m_caption(std::move(caption)) {
        setAccessibleName(m_caption);
    }

    void fitCaption() {
        if (m_fitting)
            return;
        m_fitting = true;
        setFont(QFont());
        QFont font = this->font();
        QString text = wrapped(m_caption, font);
        for (qreal size = font.pointSizeF(); !fits(text, font) && size > kSmallestPointSize;) {
            size = std::max(kSmallestPointSize, size - 0.5);
            font.setPointSizeF(size);
            text = wrapped(m_caption, font);
        }
        if (font != this->font())
            setFont(font);
        setText(text);
        m_fitting = false;
    }

protected:
    void changeEvent(QEvent* event) override {
        QPushButton::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            fitCaption();
    }
    void resizeEvent(QResizeEvent* event) override {
        QPushButton::resizeEvent(event);
        fitCaption();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
            animateClick();
            return;
        }
        QPushButton::keyPressEvent(event);
    }

private:
    static constexpr qreal kSmallestPointSize = 5;

    // The room for the caption inside the button's frame and margins.
    QSize room() const {
        QStyleOptionButton option;
        option.initFrom(this);
        return size() - style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0), this);
    }

    QString wrapped(QString const& caption, QFont const& font) const {
        int const available = room().width();
        if (available <= 0 || QFontMetrics(font).horizontalAdvance(caption) <= available)
            return caption;
        QTextLayout layout(caption, font);
        QTextOption textOption;
        textOption.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(textOption);
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(available);
            lines << caption.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        return lines.join(QLatin1Char('\n'));
    }

    bool fits(QString const& text, QFont const& font) const {
        QSize const needed = QFontMetrics(font).size(0, text);
        QSize const available = room();
        return needed.width() <= available.width() && needed.height() <= available.height();
    }

    QString m_caption;
    bool m_fitting = false;
};

QString buttonObjectName(std::string_view name, int index) {
    return QString::fromUtf8(name.data(), qsizetype(name.size())) + QStringLiteral("(%1)").arg(index);
}

// The user sees the kind of error in the window's language, followed by the runtime's detail.
QString describe(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::Overflow:
        return QStringLiteral("オーバーフローしました。");
    case ErrorKind::SubscriptOutOfRange:
        return QStringLiteral("インデックスが範囲外です。");
    case ErrorKind::TypeMismatch:
        return QStringLiteral("型が一致しません。");
    case ErrorKind::ObjectRequired:
        return QStringLiteral("オブジェクトが必要です。");
    case ErrorKind::FailedCall:
        return QStringLiteral("呼び出しに失敗しました。");
    case ErrorKind::InvalidArgument:
        return QStringLiteral("引数が正しくありません。");
    case ErrorKind::OutOfMemory:
        return QStringLiteral("メモリが不足しています。");
    }
    return QStringLiteral("実行時エラーです。");
}

// Checks a layout against its form before anything is built or bound, so that a bad layout leaves
// no list box bound to a view that is about to go away.
void checkLayout(Form const& form) {
    for (ControlLayout const& control : form.layout().controls) {
        if (control.kind == ControlKind::ListBox && !form.listBox(control.name))
            runtime::raise(ErrorKind::FailedCall,
                           "the form has no list box named " + std::string(control.name));
        if (control.kind == ControlKind::CommandButton &&
            (control.index < 0 || control.index > std::numeric_limits<std::int16_t>::max()))
            runtime::raise(ErrorKind::InvalidArgument, "button " + std::string(control.name) + " has index " +
                                                           std::to_string(control.index));
    }
}

} // namespace

FormWindow::FormWindow(Form& form, QWidget* parent) : QWidget(parent), m_form(form) {
    FormLayout const& layout = form.layout();
    checkLayout(form);
    setWindowTitle(toQString(layout.caption));
    setGeometry(toPixels(layout.left), toPixels(layout.top), toPixels(layout.width), toPixels(layout.height));

    std::map<int, QWidget*> byTabOrder;
    for (ControlLayout const& control : layout.controls) {
        QWidget* widget = createControl(control);
        widget->setGeometry(toPixels(control.left), toPixels(control.top), toPixels(control.width),
                            toPixels(control.height));
        if (auto* button = dynamic_cast<CommandButton*>(widget))
            button->fitCaption();
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
    m_reporter = [this](RuntimeError const& error) { showErrorBox(error); };
}

FormWindow::~FormWindow() {
    for (ControlLayout const& control : m_form.layout().controls) {
        if (ListBox* box = control.kind == ControlKind::ListBox ? m_form.listBox(control.name) : nullptr) {
            for (auto const& view : m_views)
                box->unbind(view.get());
        }
    }
}

QWidget* FormWindow::createControl(ControlLayout const& control) {
    switch (control.kind) {
    case ControlKind::CommandButton: {
        auto* button = new CommandButton(toQString(control.caption), this);
        button->setObjectName(buttonObjectName(control.name, control.index));
        int const index = control.index;
        connect(button, &QPushButton::clicked, this, [this, index] { dispatchClick(index); });
        if (m_buttons.size() <= static_cast<std::size_t>(index))
            m_buttons.resize(static_cast<std::size_t>(index) + 1);
        m_buttons[static_cast<std::size_t>(index)] = button;
        return button;
    }
    case ControlKind::ListBox: {
        auto* widget = new QListWidget(this);
        widget->setObjectName(QString::fromUtf8(control.name.data(), qsizetype(control.name.size())));
        m_views.push_back(std::make_unique<ListWidgetView>(*widget));
        m_form.listBox(control.name)->bind(m_views.back().get());
        return widget;
    }
    }
    runtime::raise(ErrorKind::InvalidArgument, "unknown control kind");
}

void FormWindow::setErrorReporter(ErrorReporter reporter) { m_reporter = std::move(reporter); }

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
        m_form.Command1_Click(static_cast<std::int16_t>(index));
    } catch (RuntimeError const& error) {
        m_reporter(error);
    } catch (std::bad_alloc const&) {
        m_reporter(RuntimeError(ErrorKind::OutOfMemory, "not enough memory to finish the click"));
    } catch (std::exception const& error) {
        // Nothing but the runtime's own error should leave a handler; anything else is still a
        // failed call, reported like any other, and must not end the program.
        m_reporter(RuntimeError(ErrorKind::FailedCall, error.what()));
    }
    if (m_trace)
        m_trace->endClick();
}

void FormWindow::showErrorBox(RuntimeError const& error) {
    QMessageBox::critical(this, windowTitle(),
                          describe(error.kind()) + QStringLiteral("\n\n") +
                              QString::fromStdString(error.what()));
}

} // namespace runtime
