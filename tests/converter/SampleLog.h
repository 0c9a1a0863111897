#pragma once

#include "logstore/QsoRecord.h"

#include <QList>
#include <QString>

// Lifelike contacts for the converter tests: umlauts, empty optional fields,
// comments with line breaks and with "&", "<" and '"', QSL dates and the
// undated "01.01.1901", powers in watts with a decimal comma, bands and
// modes outside the fixed lists. Every record is already in the form that
// Normalize gives, so it is what the program keeps in a log.
namespace SampleLog {
QList<QsoRecord> make(int count, unsigned seed);
// Writes the header and the records (one write, no per-record sync).
void write(const QString& path, const QList<QsoRecord>& records);
QList<QsoRecord> read(const QString& path);
QStringList lines(const QString& path); // the records as the log stores them, without the header
} // namespace SampleLog
