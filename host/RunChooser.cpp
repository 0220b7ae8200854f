#include "host/RunChooser.h"

#include "host/StepWidgets.h"
#include "host/Utf16.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <array>

namespace host {

namespace {

QLineEdit* makeField(QString const& name, QString const& description, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    describe(*field, name, description);
    // A learner's text is short; a longer one is refused with a message, never taken in whole.
    field->setMaxLength(200);
    field->setMinimumWidth(8 * field->fontMetrics().horizontalAdvance(QChar(u'字')));
    return field;
}

} // namespace

RunChooser::RunChooser(form::Lesson const& lesson, QStringList captions, RunCaptions const& shown,
                       QWidget* last, QWidget* parent)
    : QWidget(parent), m_lesson(lesson), m_captions(std::move(captions)), m_chooser(new QComboBox(this)),
      m_last(last) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    // Each control after its label, from the left of its row: the choice of what runs on the first,
    // the data on the second.
    std::array<int, 2> columns{0, 0};
    auto const labelled = [&](QString const& caption, QWidget* control, int row) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        grid->addWidget(label, row, columns[std::size_t(row)]++);
        grid->addWidget(control, row, columns[std::size_t(row)]++);
    };

    describe(*m_chooser, shown.chooserName, text(steptext::kChooserDescription));
    // No wider than a short choice needs, whatever the longest: two choosers stand side by side.
    int const em = m_chooser->fontMetrics().horizontalAdvance(QChar(u'字'));
    m_chooser->setMaximumWidth(14 * em);
    m_chooser->addItems(m_captions);
    for (form::OwnChoice const& own : lesson.choices)
        m_chooser->addItem(text(steptext::kOwnChoiceItem, {toQString(own.caption), toQString(own.field)}));
    labelled(shown.chooser, m_chooser, 0);
    if (!lesson.choices.empty()) {
        steptext::OwnField const& field = steptext::ownFieldOf(lesson.choices.front().field);
        m_field = makeField(shown.fieldName.isEmpty() ? text(field.name) : shown.fieldName, QString(), this);
        labelled(shown.field.isEmpty() ? text(field.caption) : shown.field, m_field, 0);
        connect(m_field, &QLineEdit::returnPressed, this, [this] {
            if (entered)
                entered();
        });
    }
    bool const numbers = shown.numbers && lesson.takesNumbers;
    if (!lesson.dataSets.empty()) {
        m_data = new QComboBox(this);
        describe(*m_data, shown.dataName, text(steptext::kDataSetDescription));
        m_data->setMaximumWidth(14 * em);
        for (form::DataSet const& set : lesson.dataSets)
            m_data->addItem(toQString(set.name()));
        if (numbers)
            m_data->addItem(text(steptext::kOwnData));
        labelled(shown.data, m_data, 1);
    }
    if (numbers) {
        m_numbers = makeField(text(steptext::kNumbersName), text(steptext::kNumbersDescription), this);
        m_numbers->setObjectName(QStringLiteral("numbers"));
        m_numbers->setPlaceholderText(text(steptext::kNumbersExample));
        // Beside the chooser where it has the row to itself.
        labelled(text(steptext::kNumbers), m_numbers, m_data || m_field ? 1 : 0);
        // Typing numbers chooses them as the data.
        auto const own = [this] {
            if (m_data)
                m_data->setCurrentIndex(m_data->count() - 1);
        };
        connect(m_numbers, &QLineEdit::textEdited, this, own);
        connect(m_numbers, &QLineEdit::returnPressed, this, [this, own] {
            own();
            if (entered)
                entered();
        });
    }
    int const lastRow = columns[1] > 0 ? 1 : 0;
    if (m_last)
        grid->addWidget(m_last, lastRow, std::max(columns[0], columns[1]));
    // The second field (the own choice's, or the numbers) takes what room there is.
    grid->setColumnStretch(3, 1);
    connect(m_chooser, &QComboBox::currentIndexChanged, this, &RunChooser::enableField);
    enableField();
}

void RunChooser::enableField() {
    if (!m_field)
        return;
    int const own = m_chooser->currentIndex() - int(m_captions.size());
    m_field->setEnabled(own >= 0);
    if (own >= 0) {
        form::OwnChoice const& choice = m_lesson.choices[std::size_t(own)];
        m_field->setAccessibleDescription(text(steptext::kOwnFieldDescription, {toQString(choice.description)}));
    } else {
        m_field->setAccessibleDescription(
            text(steptext::kOwnFieldDisabled, {m_chooser->itemText(int(m_captions.size()))}));
    }
}

QString RunChooser::choiceCaption() const {
    int const index = m_chooser->currentIndex();
    int const own = index - int(m_captions.size());
    if (own < 0)
        return m_captions.value(index);
    form::OwnChoice const& choice = m_lesson.choices[std::size_t(own)];
    return text(steptext::kChoiceWithText,
                {toQString(choice.caption), toQString(choice.field), m_field->text()});
}

RunChooser::Choice RunChooser::choice() const {
    Choice chosen;
    form::Run run;
    int const index = std::max(0, m_chooser->currentIndex());
    if (index >= int(m_captions.size())) {
        run.own = static_cast<std::int16_t>(index - int(m_captions.size()));
        run.typed = toU16(m_field->text());
        chosen.field = m_field;
    } else {
        run.index = static_cast<std::int16_t>(index);
    }
    QString data;
    bool const ownNumbers = m_numbers && (!m_data || m_data->currentIndex() == m_data->count() - 1);
    if (ownNumbers) {
        form::ParsedNumbers const parsed = form::parseNumbers(toU16(m_numbers->text()));
        if (parsed.numbers.empty()) {
            chosen.message = toQString(parsed.message);
            chosen.field = m_numbers;
            return chosen;
        }
        run.numbers = parsed.numbers;
        data = text(steptext::kOwnDataTitle, {QString::number(parsed.numbers.size())});
    } else if (m_data) {
        form::DataSet const& set = m_lesson.dataSets[std::size_t(std::max(0, m_data->currentIndex()))];
        run.numbers.assign(set.numbers.begin(), set.numbers.end());
        data = toQString(set.name());
    }
    chosen.title = data.isEmpty() ? text(steptext::kChoiceTitle, {choiceCaption()})
                                  : text(steptext::kRunTitle, {data, choiceCaption()});
    chosen.run = std::move(run);
    return chosen;
}

void RunChooser::chooseButton(int index) {
    m_chooser->setCurrentIndex(index);
    if (m_data)
        m_data->setCurrentIndex(0);
}

void RunChooser::chooseOwn(int choice, QString const& typed) {
    m_chooser->setCurrentIndex(int(m_captions.size()) + choice);
    if (m_field)
        m_field->setText(typed);
}

void RunChooser::chooseData(int set) {
    if (m_data)
        m_data->setCurrentIndex(set);
}

void RunChooser::tell(QString const& message, QWidget* field) {
    if (m_numbers)
        m_numbers->setAccessibleDescription(text(steptext::kNumbersDescription));
    enableField();
    if (!message.isEmpty() && field && (field == m_numbers || field == m_field))
        field->setAccessibleDescription(message + QLatin1Char(' ') + field->accessibleDescription());
}

std::vector<QWidget*> RunChooser::controls() const {
    std::vector<QWidget*> order{m_chooser};
    for (QWidget* control : std::initializer_list<QWidget*>{m_field, m_data, m_numbers, m_last}) {
        if (control)
            order.push_back(control);
    }
    return order;
}

} // namespace host
