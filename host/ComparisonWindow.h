#pragma once

#include "form/Comparison.h"
#include "form/Steps.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <cstddef>

class QLabel;
class QPushButton;
class QScrollArea;
class QTableView;

namespace host {

class CollectionView;
class PairedCountersModel;
class RunChooser;

// Two runs of a lesson side by side, such as one sort on sorted and on reversed data, or two
// comparators on the same roster: each side chooses its run (a button or an own choice, and the data)
// and shows its collection as the step window does, with its title, sentence, counters and, at its
// end, what its recording notes of the run as a whole (why equal values came out reversed). Elements
// whose compared values are equal carry the same tie group (「同値 A」) in both. Below, the totals of
// both runs, paired by label: what each has done so far and in all.
//
// What is shown is the form::Comparison's: ← and → move both together, comparison by comparison (or
// element by element), Home takes both to their first steps; Ctrl+← and Ctrl+→ move the left run alone
// by one step, Shift+← and Shift+→ the right one; Esc closes. Wherever the focus is but in a field.
class ComparisonWindow final : public QWidget {
public:
    // The least size at which its page needs no scroll bar.
    QSize unscrolledSize() const;
    ComparisonWindow(form::Lesson const& lesson, QStringList captions, QWidget* parent = nullptr);
    ~ComparisonWindow() override;

    // Names the window after the step window it was opened from.
    void setTitle(QString const& stepWindowTitle);
    // Chooses the first pair shown: button on sorted beside reversed data where the lesson has data
    // sets; else button beside the lesson's first own choice completed with typed; else the first two
    // buttons.
    void chooseDefault(int button, QString const& typed);
    // Records the two runs chosen and shows both from their first steps; or says why not and keeps
    // what was shown.
    void recordBoth();

    // The learner's moves.
    void forward();
    void back();
    void first();
    // Both runs to their ends.
    void last();
    void stepAlone(std::size_t side, int delta);

    form::Comparison const& comparison() const { return m_comparison; }
    RunChooser& chooser(std::size_t side) const { return *m_panes.at(side).chooser; }

private:
    struct Pane {
        RunChooser* chooser = nullptr;
        QLabel* title = nullptr;
        QLabel* sentence = nullptr;
        QLabel* counters = nullptr;
        CollectionView* table = nullptr;
        QLabel* error = nullptr;
        QLabel* note = nullptr;
        QPushButton* back = nullptr;
        QPushButton* forward = nullptr;
        QString runTitle;
    };

    QWidget* createPane(std::size_t side, QWidget* parent);
    void addKeys();
    void orderTabs();
    void render();
    void renderPane(std::size_t side);
    form::Player& playerOf(std::size_t side);

    form::Lesson const& m_lesson;
    QStringList m_captions;
    form::Comparison m_comparison;
    std::array<Pane, 2> m_panes;
    QScrollArea* m_page;
    QPushButton* m_record;
    QPushButton* m_first;
    QPushButton* m_back;
    QPushButton* m_forward;
    QLabel* m_message;
    PairedCountersModel* m_totalsModel;
    QTableView* m_totals;
};

} // namespace host
