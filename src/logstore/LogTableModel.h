#pragma once

#include "logstore/PackedRecord.h"
#include "logstore/QsoRecord.h"

#include <QAbstractTableModel>
#include <QVector>

class LogFile;

// The contacts of one log in memory, in file order: row r is record r + 1.
// The list tab, the lower list of the entry tab and the paper-log grid are
// views of one such model. An empty log shows one empty row under the titles.
class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit LogTableModel(QObject* parent = nullptr);

    // Reads the whole log. On a read error the records read so far stay in
    // the model and the IoError is passed on.
    void load(LogFile& log);
    void clear();
    void appendRecord(const QsoRecord& record);
    void replaceRecord(int index, const QsoRecord& record);
    // Replaces every row at once (a search result).
    void setRows(QVector<PackedRecord> rows);

    int recordCount() const { return static_cast<int>(m_rows.size()); }
    QsoRecord record(int index) const { return m_rows[index].toRecord(); }
    const PackedRecord& packed(int index) const { return m_rows[index]; }
    QString field(int index, int field) const { return m_rows[index].field(field); }
    // Valid until the model changes; "#13#10" stands for a line break.
    QStringView rawField(int index, int field) const { return m_rows[index].rawField(field); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<PackedRecord> m_rows;
};
