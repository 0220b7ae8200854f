#pragma once

#include "form/Steps.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace host {

// The captions of a run chooser's controls, each with its key, and the names screen readers give them.
struct RunCaptions {
    QString chooser;
    QString chooserName;
    QString field;
    QString fieldName;
    QString data;
    QString dataName;
    bool numbers = false; // with the field of one's own numbers
};

// What a learner may run of a lesson, chosen with its controls: the chooser (the main window's
// buttons, then the lesson's own choices, such as CmpMember by a typed name), the field of the text
// that completes an own choice (enabled while one is chosen), the ready-made data (the lesson's data
// sets, then one's own numbers) and the field of own numbers. A control the lesson has no use for is
// not made. It lays them out in two rows, chooser and field, then data and numbers (beside the chooser
// where nothing else stands there), in Tab order.
class RunChooser final : public QWidget {
public:
    // captions: the main window's button captions, by index. last, if any, stands at the end of the
    // last row (the window's run button).
    RunChooser(form::Lesson const& lesson, QStringList captions, RunCaptions const& shown, QWidget* last,
               QWidget* parent);

    // The run chosen and its title; or none, the reason, and the field where the learner corrects it.
    struct Choice {
        std::optional<form::Run> run;
        QString title;
        QString message;
        QWidget* field = nullptr;
    };
    Choice choice() const;

    // Chooses button index on the program's data, as the main window's click runs it.
    void chooseButton(int index);
    // Chooses the lesson's own choice with the text typed for it, or the data set, by index.
    void chooseOwn(int choice, QString const& typed);
    void chooseData(int set);

    // Says message on field for screen readers, after the field's own description; an empty message
    // leaves every field with its own description.
    void tell(QString const& message, QWidget* field);

    // Enter in one of its fields.
    std::function<void()> entered;

    // Its controls, in Tab order.
    std::vector<QWidget*> controls() const;

private:
    void enableField();
    QString choiceCaption() const;

    form::Lesson const& m_lesson;
    QStringList m_captions;
    QComboBox* m_chooser;
    QLineEdit* m_field = nullptr;
    QString m_fieldDescription;
    QComboBox* m_data = nullptr;
    QLineEdit* m_numbers = nullptr;
    QWidget* m_last;
};

} // namespace host
