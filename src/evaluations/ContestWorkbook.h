#pragma once

#include <QString>

class Desktop;
struct ContestResult;

// The result table as a spreadsheet workbook (.xlsx): one worksheet
// "Tabelle1", the header in row 1, the contacts from row 2, every written
// cell in "Courier New". Below the table, with n the rows used including the
// header, row n + 1 sums PKT (column R) and MLT (column S), and row n + 2
// multiplies the two sums in column S. The formulas carry their values, so
// that a viewer that does not recalculate shows the totals too.
namespace ContestWorkbook {

// The file the page writes into the program folder.
inline const QString FileName = QStringLiteral("Contest-Auswertung.xlsx");

// Writes the workbook, replacing path in one step. Throws IoError naming
// the file; path is then as it was.
void write(const ContestResult& result, const QString& path);

// Writes FileName into folder and opens it with the desktop's program for
// spreadsheets. The message the user is to see; empty when both worked.
QString exportAndOpen(const ContestResult& result, const QString& folder, Desktop& desktop);

} // namespace ContestWorkbook
