#pragma once

#include "converter/StringGrid.h"
#include "logstore/QsoRecord.h"

#include <QString>
#include <QStringList>

// The HTML table the converter writes and reads.
namespace HtmlTable {

// Export: "&", "<", ">" and '"' as character references; a line break of
// Comments as "<br>", so that each cell stays on its line and the table
// reads back unchanged.
QString escape(QStringView text);

// The lines of an export up to the heading row, one record's row, and the
// end with the credit paragraph; each line ends in CR LF.
QString begin(const QString& title);
void appendRow(QString& out, const QsoRecord& record);
QString end(const QString& creditText, const QString& webAddress);

// Import: the cells of the first table of an HTML text into grid rows 1 and
// up (row 0 untouched). Tags are recognised in any letter case and with
// attributes; a cell ends at its end tag or where the next cell or row
// begins. Cell texts lose inner tags, "<br>" becomes a line break, other line
// breaks a blank, character references are decoded ("&nbsp;" as a blank) and
// blanks and control characters at both ends are trimmed.
// Returns false when the text holds no "<table" start tag with its ">".
bool readFirstTable(const QString& html, StringGrid& grid);

// A cell's raw HTML as the grid shows it.
QString cellText(QStringView html);
QString decodeReferences(QStringView text);

} // namespace HtmlTable
