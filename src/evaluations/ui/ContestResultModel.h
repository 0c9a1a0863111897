#pragma once

#include "evaluations/ContestExpression.h"

#include <QAbstractTableModel>
#include <QVector>

// The result table of the page "Contest": the header of the 19 variables and
// one row per contact of the last run. Without rows it shows one empty row,
// as the table has always kept at least one below its header.
class ContestResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ContestResultModel(QObject* parent = nullptr);

    void setRows(QVector<ContestRow> rows);
    const QVector<ContestRow>& rows() const { return m_rows; }
    // The first row stays, the others go.
    void cutToFirstRow();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<ContestRow> m_rows;
};
