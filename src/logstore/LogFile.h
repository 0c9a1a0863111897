#pragma once

#include "logstore/PackedRecord.h"
#include "logstore/QsoRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

// The only code that touches a log file. Each operation opens and closes the
// file itself; OpenForRead/ReadNext/CloseFile keep it open between the calls
// of one reading loop. Failures throw IoError with a message naming the file
// (and the line, for a line no record can hold); the log then stays as it was.
class LogFile {
public:
    static QString versionText(); // "LogFileAccess  Version 1.2"

    LogFile() = default;
    explicit LogFile(const QString& fileName) { Create(fileName); }
    ~LogFile();
    LogFile(const LogFile&) = delete;
    LogFile& operator=(const LogFile&) = delete;

    void Create(const QString& fileName);
    const QString& fileName() const { return m_fileName; }

    // Creates (or overwrites) the file with the header line alone.
    void WriteHeader();

    void OpenForRead();
    // The first line read by OpenForRead is a contact (16 fields, a number
    // first), not a header: someone deleted the header line.
    bool headerIsContact() const;
    // For rewrites: closes the file and throws IoError naming it when the
    // header is a contact, which the rewrite would drop.
    void refuseMissingHeader();
    void CloseFile();
    bool ReadNext(QsoRecord& record);
    // The raw decoded line of the next record, "#13#10" still in it; for
    // readers that keep lines packed (the list model). Line numbers count
    // the header as line 1.
    bool ReadNextLine(QString& line);
    int lineNumber() const { return m_lineNumber; }

    // Reads the log from the start and hands each record to visit, as its
    // decoded line and packed, until visit returns true (then true is
    // returned). A line no record can hold throws IoError naming file and
    // line; the file is closed in every case.
    bool scanPacked(const std::function<bool(const QString& line, const PackedRecord& record)>& visit);

    bool ReadRecord(QsoRecord& record, int number);
    void AppendRecord(const QsoRecord& record);
    bool ReplaceRecord(int number, const QsoRecord& record);
    // Lets change alter the records of the given numbers (counted from 1 in
    // file order) and rewrites the log once, in one step; the other lines
    // keep their bytes. Returns how many of the numbers were found; with none
    // found the file is not touched.
    int SetRecords(const QSet<int>& numbers, const std::function<void(int number, QsoRecord& record)>& change);
    static QString StripSeparators(const QString& text) { return QsoRecord::stripSeparators(text); }
    // Renumbers and repairs every record; dates and times that cannot be read
    // are replaced by localNow (the rejected text goes into Comments).
    // Returns the number of records.
    int Normalize(const QDateTime& localNow);
    // The same, with change applied first to the records numbered in
    // numbers: one rewrite, so that a record the repair refuses leaves the
    // whole log as it was.
    int Normalize(const QDateTime& localNow, const QSet<int>& numbers,
                  const std::function<void(int number, QsoRecord& record)>& change);

    // One record as Normalize repairs it. Every field is repaired, none
    // refused: what cannot be read goes into Comments.
    static void NormalizeRecord(QsoRecord& record, int number, const QDateTime& localNow);

    // The error for a line that has more than 15 separators.
    QString formatErrorText(int line) const;

private:
    bool readRawLine(QByteArray& line);
    void refuseIfNotText(const QByteArray& line);
    void throwIo(const QString& what, const QString& reason) const;

    QString m_fileName;
    std::unique_ptr<QFile> m_file;
    QByteArray m_header; // the header line as read, kept unchanged by ReplaceRecord
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = true;
    int m_lineNumber = 0;
};
