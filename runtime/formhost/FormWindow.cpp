#include "runtime/formhost/FormWindow.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStringView>
#include <QStyleOptionButton>
#include <QTextLayout>

#include <algorithm>
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

// A caption that is wider than its button is wrapped onto further lines, breaking where Unicode
// allows (between words, or between any two Japanese characters), as command buttons do.
QString wrappedCaption(QPushButton const& button, QString const& caption) {
    QStyleOptionButton option;
    option.initFrom(&button);
    int const frame =
        button.style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(0, 0), &button).width();
    int const available = button.width() - frame;
    if (available <= 0 || button.fontMetrics().horizontalAdvance(caption) <= available)
        return caption;

    QTextLayout layout(caption, button.font());
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
        if (auto* button = qobject_cast<QPushButton*>(widget))
            button->setText(wrappedCaption(*button, button->text()));
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
        if (ListBox* box = control.kind == ControlKind::ListBox ? m_form.listBox(control.name) : nullptr)
            box->bind(nullptr);
    }
}

QWidget* FormWindow::createControl(ControlLayout const& control) {
    switch (control.kind) {
    case ControlKind::CommandButton: {
        auto* button = new QPushButton(toQString(control.caption), this);
        button->setObjectName(buttonObjectName(control.name, control.index));
        button->setAccessibleName(button->text());
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
    }
}

void FormWindow::showErrorBox(RuntimeError const& error) {
    QMessageBox::critical(this, windowTitle(),
                          describe(error.kind()) + QStringLiteral("\n\n") +
                              QString::fromStdString(error.what()));
}

int runForm(int& argc, char** argv, Form& form) {
    QApplication application(argc, argv);
    FormWindow window(form);
    window.show();
    return application.exec();
}

} // namespace runtime
