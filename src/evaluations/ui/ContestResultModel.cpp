#include "evaluations/ui/ContestResultModel.h"

ContestResultModel::ContestResultModel(QObject* parent) : QAbstractTableModel(parent) {}

void ContestResultModel::setRows(QVector<ContestRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ContestResultModel::cutToFirstRow() {
    if (m_rows.size() <= 1)
        return;
    beginRemoveRows({}, 1, int(m_rows.size()) - 1);
    m_rows.resize(1);
    endRemoveRows();
}

int ContestResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(std::max<qsizetype>(m_rows.size(), 1));
}

int ContestResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ContestColumn::Count;
}

QVariant ContestResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= m_rows.size())
        return {};
    return m_rows[index.row()].cells[std::size_t(index.column())];
}

QVariant ContestResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    // The variable names of the rules: the same in every language.
    const QStringList& names = ContestColumn::names();
    return section >= 0 && section < names.size() ? names[section] : QString();
}
