#include "converter/StringGrid.h"

#include "logstore/QsoRecord.h"

StringGrid::StringGrid() {
    resize(1, 2);
}

void StringGrid::resize(int columns, int rows) {
    const int oldColumns = m_columns;
    const qsizetype oldRows = m_rows.size();
    m_columns = qMax(columns, 1);
    m_rows.resize(qMax(rows, 1));
    // Rows are added one by one while a table is read: only the new rows
    // need filling unless the column count changed.
    for (qsizetype r = m_columns == oldColumns ? qMin(oldRows, m_rows.size()) : 0; r < m_rows.size(); ++r)
        m_rows[r].resize(m_columns);
}

QString StringGrid::cell(int column, int row) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns)
        return {};
    return m_rows[row][column];
}

void StringGrid::setCell(int column, int row, const QString& text) {
    if (column < 0 || row < 0)
        return;
    if (column >= m_columns || row >= rowCount())
        resize(qMax(m_columns, column + 1), qMax(rowCount(), row + 1));
    m_rows[row][column] = text;
}

const QStringList& StringGrid::assignmentItems() {
    static const QStringList items = [] {
        QStringList list{QStringLiteral("00 - none")};
        const QStringList& titles = QsoRecord::headerTitles();
        for (int i = 0; i < titles.size(); ++i)
            list << QStringLiteral("%1 - %2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(titles[i]);
        return list;
    }();
    return items;
}

int StringGrid::assignmentOfItem(const QString& item) {
    bool ok = false;
    const int n = item.left(2).toInt(&ok);
    return ok && n >= 0 && n <= QsoRecord::FieldCount ? n : 0;
}

int StringGrid::assignment(int column) const {
    return assignmentOfItem(cell(column, 0));
}

void StringGrid::setAssignment(int column, int field) {
    setCell(column, 0, assignmentItems().value(field, assignmentItems().first()));
}

void StringGrid::assignByHeadings() {
    const QStringList& titles = QsoRecord::headerTitles();
    for (int c = 0; c < m_columns; ++c) {
        const QString heading = cell(c, 1).toUpper();
        int field = 0;
        for (int i = 0; i < titles.size() && field == 0; ++i) {
            if (heading == titles[i].toUpper())
                field = i + 1;
        }
        setAssignment(c, field);
    }
}
