#pragma once

#include "logstore/QsoRecord.h"

#include <QString>
#include <array>

// A record kept as its decoded file line plus the start of each field: one
// allocation per contact instead of sixteen, so that a log of 100 000
// contacts stays small in memory and loads quickly.
class PackedRecord {
public:
    // False for a line with more than 15 separators.
    static bool fromLine(const QString& line, PackedRecord& out);
    static PackedRecord fromRecord(const QsoRecord& record);

    QString field(int field) const;        // as QsoRecord holds it
    QString displayField(int field) const; // as a grid row shows it
    QsoRecord toRecord() const;
    // The field as the file holds it ("#13#10" in Comments), without a copy:
    // for scans over every contact of a log.
    QStringView rawField(int field) const;

private:
    QString m_line;
    std::array<quint32, QsoRecord::FieldCount + 1> m_start{}; // m_start[16] = end of line + 1
};
