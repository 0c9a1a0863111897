#include "converter/StringGrid.h"

#include "logstore/QsoRecord.h"

StringGrid::StringGrid() {
    resize(1, 2);
}

void StringGrid::resize(int columns, int rows) {
    m_columns = qMax(columns, 1);
    m_rows.resize(qMax(rows, 1));
    for (QStringList& row : m_rows) {
        if (row.size() > m_columns)
            row.resize(m_columns);
    }
}

QString StringGrid::cell(int column, int row) const {
    if (row < 0 || row >= rowCount() || column < 0)
        return {};
    return m_rows[row].value(column);
}

void StringGrid::setCell(int column, int row, const QString& text) {
    if (column < 0 || row < 0)
        return;
    if (row >= rowCount())
        m_rows.resize(row + 1);
    m_columns = qMax(m_columns, column + 1);
    QStringList& cells = m_rows[row];
    if (column >= cells.size())
        cells.resize(column + 1);
    cells[column] = text;
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

QList<int> StringGrid::assignedColumns() const {
    QList<int> columns;
    for (int c = 0; c < m_columns; ++c) {
        if (assignment(c) != 0)
            columns << c;
    }
    return columns;
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
