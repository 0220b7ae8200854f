#include "host/StepTableModel.h"

#include "host/StepTexts.h"
#include "host/Utf16.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace host {

namespace {

// The colours of a style; its font (fontOf) already sets it apart without them.
struct Colours {
    QColor background;
    QColor foreground;
};

Colours coloursOf(form::MarkStyle style) {
    switch (style) {
    case form::MarkStyle::Strong:
        return {QColor(255, 214, 153), Qt::black};
    case form::MarkStyle::Underlined:
        return {QColor(179, 215, 255), Qt::black};
    case form::MarkStyle::Echo:
        return {QColor(235, 250, 235), QColor(80, 80, 80)};
    case form::MarkStyle::StruckOut:
        return {QColor(225, 225, 225), Qt::black};
    case form::MarkStyle::Settled:
        return {QColor(238, 238, 250), Qt::black};
    case form::MarkStyle::Plain:
        break;
    }
    return {};
}

bool operator==(form::Row const& a, form::Row const& b) {
    return a.position == b.position && a.element == b.element && a.mark == b.mark;
}

} // namespace

QFont StepTableModel::fontOf(form::MarkStyle style) {
    QFont font;
    switch (style) {
    case form::MarkStyle::Strong:
        font.setBold(true);
        break;
    case form::MarkStyle::Underlined:
        font.setItalic(true);
        font.setUnderline(true);
        break;
    case form::MarkStyle::Echo:
        font.setItalic(true);
        break;
    case form::MarkStyle::StruckOut:
        font.setStrikeOut(true);
        break;
    case form::MarkStyle::Settled: // set apart by the sign before its label
    case form::MarkStyle::Plain:
        break;
    }
    return font;
}

QString StepTableModel::markText(form::Mark const& mark) {
    QString text = toQString(mark.label);
    if (mark.style == form::MarkStyle::Settled)
        text = toQString(steptext::kSettledSign) + (text.isEmpty() ? QString() : QStringLiteral(" ") + text);
    return text;
}

void StepTableModel::setRecording(form::Recording const* recording) {
    beginResetModel();
    m_recording = recording;
    m_rows.clear();
    m_ties = recording && std::any_of(recording->elements.begin(), recording->elements.end(),
                                      [](form::Element const& element) { return element.tie != 0; });
    endResetModel();
}

void StepTableModel::setStep(form::Step const* step) {
    std::vector<form::Row> const none;
    std::vector<form::Row> const& rows = step && m_recording ? step->rows : none;
    auto const before = static_cast<int>(m_rows.size());
    auto const after = static_cast<int>(rows.size());
    // The rows both steps have that differ, told after any rows come or go.
    int first = 0;
    while (first < std::min(before, after) && m_rows[std::size_t(first)] == rows[std::size_t(first)])
        ++first;
    int last = std::min(before, after) - 1;
    while (last >= first && m_rows[std::size_t(last)] == rows[std::size_t(last)])
        --last;
    if (after > before) {
        beginInsertRows({}, before, after - 1);
        m_rows = rows;
        endInsertRows();
    } else if (after < before) {
        beginRemoveRows({}, after, before - 1);
        m_rows.resize(std::size_t(after));
        endRemoveRows();
        m_rows = rows;
    } else {
        m_rows = rows;
    }
    if (first <= last)
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}

int StepTableModel::rowCount(QModelIndex const& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

bool StepTableModel::hasValues() const { return m_recording && !m_recording->valueName.empty(); }

bool StepTableModel::hasTies() const { return m_ties; }

int StepTableModel::columnCount(QModelIndex const& parent) const {
    if (parent.isValid() || !m_recording)
        return 0;
    return 3 + (hasValues() ? 1 : 0) + (hasTies() ? 1 : 0);
}

form::Mark const& StepTableModel::markOf(int row) const {
    static form::Mark const none;
    std::size_t const mark = m_rows.at(std::size_t(row)).mark;
    return mark < m_recording->marks.size() ? m_recording->marks[mark] : none;
}

QVariant StepTableModel::data(QModelIndex const& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    form::Row const& row = m_rows[std::size_t(index.row())];
    if (row.element >= m_recording->elements.size())
        return {};
    form::Element const& element = m_recording->elements[row.element];
    form::Mark const& mark = markOf(index.row());
    int const column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0)
            return row.position > 0 ? QString::number(row.position) : toQString(steptext::kNoPosition);
        if (column == markColumn())
            return markText(mark);
        if (column == elementColumn())
            return toQString(element.text);
        if (column == tieColumn())
            return element.tie == 0 ? QString() : toQString(form::tieName(element.tie));
        return toQString(element.value);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        // The element's whole line, wherever the column cuts it short.
        return toQString(element.text);
    case Qt::TextAlignmentRole:
        if (column == markColumn() || column == elementColumn() || column == tieColumn())
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole: {
        if (mark.style == form::MarkStyle::Plain)
            return {};
        QFont font = fontOf(mark.style);
        // The mark names what happened and is read as it is: only the row's element is struck out.
        if (column == markColumn() && font.strikeOut())
            font.setStrikeOut(false);
        return font;
    }
    case Qt::BackgroundRole:
        if (mark.style == form::MarkStyle::Plain)
            return {};
        return QBrush(coloursOf(mark.style).background);
    case Qt::ForegroundRole:
        if (mark.style == form::MarkStyle::Plain)
            return {};
        return QBrush(coloursOf(mark.style).foreground);
    default:
        return {};
    }
}

QVariant StepTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    if (section == 0)
        return toQString(steptext::kPositionColumn);
    if (section == markColumn())
        return toQString(steptext::kMarkColumn);
    if (section == elementColumn())
        return toQString(steptext::kElementColumn);
    if (section == tieColumn())
        return toQString(steptext::kTieColumn);
    return toQString(m_recording->valueName);
}

} // namespace host
