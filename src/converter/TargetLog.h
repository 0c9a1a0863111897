#pragma once

#include "logstore/LogFile.h"
#include "logstore/QsoRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The log an import or a join writes into. Its own records are read and
// normalised first, new records are added after them, and commit() replaces
// the log in one atomic write. The result is what appending every record and
// then running Normalize gives (";" removed, line breaks kept only in
// Comments, numbers from 1, dates, times, letter case and power repaired),
// but until commit() the log on disk is untouched, and a log that did not
// exist is only created then: a failed import leaves nothing half written.
// An existing log stays locked from reading to commit(), so that a second
// writer waits instead of being overwritten.
class TargetLog {
public:
    // Throws IoError when the log cannot be read or holds a line that no
    // record can hold.
    TargetLog(const QString& path, const QDateTime& localNow);

    const QString& path() const { return m_path; }
    bool existed() const { return m_existed; }
    int existingCount() const { return m_existing; }
    int count() const { return m_count; }
    // The warning about an incomplete last line of the log (empty: none).
    const QString& incompleteLineText() const { return m_incomplete; }

    // The number an appended record gets: the number field of the last record
    // plus one, 1 for a log without records. Throws IoError when that field
    // is not a whole number.
    int nextNumber() const;

    void add(const QsoRecord& record);

    void commit();

private:
    void appendNormalized(QsoRecord& record);

    QString m_path;
    QDateTime m_localNow;
    bool m_existed = false;
    int m_existing = 0;
    int m_count = 0;
    QString m_lastNumber;
    int m_lastLine = 0;
    QByteArray m_out;
    LogFile m_log;
    QString m_incomplete;
    QByteArray m_tornTail;
};
