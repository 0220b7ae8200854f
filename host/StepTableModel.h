#pragma once

#include "form/Steps.h"

#include <QAbstractTableModel>
#include <QFont>

#include <vector>

namespace host {

// The collection as one step of a recording shows it, for a table view: one row per element, top to
// bottom, in the columns 位置 (its position, or — once removed), 印 (its mark's label), the member the
// algorithm read of it (where the recording names one), 同値 (its tie group, 「同値 A」, where some
// elements compared equal) and 要素 (its line). A row's mark sets its
// font and colours by the mark's style, each style in more than colour; its element's whole line is
// also its tooltip and accessible description, for a column too narrow to show it.
//
// It knows nothing of widgets or of any algorithm: a new recording resets it, a new step says which
// rows changed (and inserts or removes rows only when their count changes).
class StepTableModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows recording's rows from now on (null: none); it must outlive its use here. The columns
    // follow the recording, so the model is reset.
    void setRecording(form::Recording const* recording);
    // Shows step's rows (null: none).
    void setStep(form::Step const* step);

    int rowCount(QModelIndex const& parent = {}) const override;
    int columnCount(QModelIndex const& parent = {}) const override;
    QVariant data(QModelIndex const& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    form::Recording const* recording() const { return m_recording; }
    int markColumn() const { return 1; }
    // The column of tie groups, or -1.
    int tieColumn() const { return hasTies() ? elementColumn() - 1 : -1; }
    int elementColumn() const { return columnCount() - 1; }
    // The row's mark.
    form::Mark const& markOf(int row) const;
    // What a mark's style changes of the view's font: only the attributes it sets.
    static QFont fontOf(form::MarkStyle style);
    // The mark column's text of a mark.
    static QString markText(form::Mark const& mark);

private:
    bool hasValues() const;
    bool hasTies() const;

    form::Recording const* m_recording = nullptr;
    std::vector<form::Row> m_rows;
    bool m_ties = false;
};

} // namespace host
