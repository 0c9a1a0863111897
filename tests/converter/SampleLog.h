#pragma once

#include "ErrorOf.h"
#include "logstore/IoError.h"
#include "logstore/QsoRecord.h"
#include <QList>
#include <QString>

// Lifelike contacts for the converter tests: umlauts, empty fields, comments with line breaks and
// markup, undated and dated QSL, decimal-comma powers, bands and modes outside the fixed lists;
// all already in the form Normalize gives, as the program keeps them in a log.
namespace SampleLog {
QList<QsoRecord> make(int count, unsigned seed);
void write(const QString& path, const QList<QsoRecord>& records); // header and records
QList<QsoRecord> read(const QString& path);
QStringList lines(const QString& path); // the records as the log stores them, without the header
} // namespace SampleLog
