#pragma once

#include "logstore/QsoRecord.h"

#include <QString>
#include <array>

// The fixed-width text table: every column as wide as its longest text plus
// one blank, so that columns line up in any editor with a fixed-width font.
class TextTable {
public:
    TextTable(); // widths start at the label length plus one

    static QString cellText(const QsoRecord& record, int field); // line breaks as " + "

    void measure(const QsoRecord& record); // first pass: widen the columns
    int width(int field) const { return m_widths[std::size_t(field - 1)]; }
    int totalWidth() const;

    // Second pass; each line ends in CR LF.
    QString headingLines() const; // labels, then the rule of '~'
    void appendLine(QString& out, const QsoRecord& record) const;
    QString creditLines(const QString& creditText) const; // empty line, credit ending at the right edge

private:
    void appendPadded(QString& out, const QString& text, int field) const;
    std::array<int, QsoRecord::FieldCount> m_widths;
};
