#include "logstore/LogTableModel.h"

#include "logstore/IoError.h"
#include "logstore/LogFile.h"

LogTableModel::LogTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void LogTableModel::load(LogFile& log) {
    QVector<PackedRecord> rows;
    auto publish = [&] {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    };
    try {
        log.scanPacked([&rows](const QString&, const PackedRecord& record) {
            rows.push_back(record);
            return false;
        });
    } catch (const IoError&) {
        publish();
        throw;
    }
    publish();
}

void LogTableModel::clear() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void LogTableModel::setRows(QVector<PackedRecord> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void LogTableModel::appendRecord(const QsoRecord& record) {
    if (m_rows.isEmpty()) {
        // The empty placeholder row becomes the first contact.
        m_rows.push_back(PackedRecord::fromRecord(record));
        Q_EMIT dataChanged(index(0, 0), index(0, QsoRecord::FieldCount - 1));
        return;
    }
    const int row = recordCount();
    beginInsertRows({}, row, row);
    m_rows.push_back(PackedRecord::fromRecord(record));
    endInsertRows();
}

void LogTableModel::replaceRecord(int index, const QsoRecord& record) {
    m_rows[index] = PackedRecord::fromRecord(record);
    Q_EMIT dataChanged(this->index(index, 0), this->index(index, QsoRecord::FieldCount - 1));
}

int LogTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return std::max(1, recordCount());
}

int LogTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : QsoRecord::FieldCount;
}

QVariant LogTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= recordCount())
        return {};
    return m_rows[index.row()].displayField(index.column() + 1);
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < QsoRecord::FieldCount)
        return QsoRecord::gridTitles()[section];
    return {};
}
