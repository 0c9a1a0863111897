#pragma once

#include "qsl/OutstandingCards.h"

#include <QAbstractTableModel>

// The outstanding-card list as the grid shows it: "#", "Call", "Date",
// "UTC", "Band", "Mode", "RST TX", "Comments", "QSL out"; one empty row
// while nothing is listed.
class OutstandingModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(QVector<OutstandingCards::Row> rows);
    int listedCount() const { return static_cast<int>(m_rows.size()); }
    const OutstandingCards::Row& row(int index) const { return m_rows[index]; }
    // The longest texts of a column by their number of characters (a few,
    // for the grid to measure instead of every cell of a long list).
    QStringList longestTexts(int column) const;
    // The contact after it was written back.
    void setRecord(int index, const QsoRecord& record);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static constexpr int CommentsColumn = 7;
    static constexpr int QslOutColumn = 8;

private:
    QVector<OutstandingCards::Row> m_rows;
};
