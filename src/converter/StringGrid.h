#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The column-assignment grid of the HTML import: row 0 holds for each column
// its assignment item ("00 - none", "01 - #" ... "16 - QSL in"), rows 1 and up
// the table rows of the file (row 1 the first). columnCount() is the width of
// the widest row; a cell a row does not hold reads as empty. Each row keeps
// only its own cells, so that one very wide row does not widen all others.
class StringGrid {
public:
    StringGrid(); // one column, two empty rows

    int columnCount() const { return m_columns; }
    int rowCount() const { return int(m_rows.size()); }
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString& text); // grows the grid as needed
    void resize(int columns, int rows);

    // The field (1..16) a column is assigned to, 0 for none: the number formed
    // by the first two characters of its row-0 cell.
    int assignment(int column) const;
    void setAssignment(int column, int field); // 0..16
    // The columns assigned to a field, from left to right.
    QList<int> assignedColumns() const;

    // Row 0 of every column: the item of the heading that row 1 holds
    // ("#", "DATE" ... "QSL IN", compared upper-cased), otherwise "00 - none".
    void assignByHeadings();

    // The file the rows came from, for the messages of the import.
    const QString& sourceName() const { return m_sourceName; }
    void setSourceName(const QString& name) { m_sourceName = name; }

    static const QStringList& assignmentItems();      // the seventeen texts, index = field
    static int assignmentOfItem(const QString& item); // 0 for an empty or unknown text

private:
    QList<QStringList> m_rows;
    int m_columns = 1;
    QString m_sourceName;
};
