#pragma once

#include "logstore/FileStamp.h"
#include "logstore/LogLock.h"
#include "logstore/PackedRecord.h"
#include "logstore/QsoRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// The only code that touches a log file. Each operation opens and closes the
// file itself; OpenForRead/ReadNext/CloseFile keep it open between the calls
// of one reading loop. Failures throw IoError with a message naming the file
// (and the line, for a line no record can hold); the log then stays as it was.
//
// Several programs may write one log at once (two windows, a batch import):
// appends and rewrites hold the log's lock (LogLock) exclusively, a rewrite
// reads the log under it, and reading for the lists waits for a shared one.
//
// Every line this class writes ends with CR LF. A last line without a line
// end that holds fewer than 16 fields is what a write cut short (a kill, a
// power cut) leaves: readers do not take it for a contact, rewrites keep its
// bytes at the end of the file, and the next append moves it into
// "<log>.fragment" before the new contact, telling the user.
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

    // The line number of an incomplete last line found by the last reading
    // (0: none), and the message that says so.
    int incompleteLine() const { return m_tornLine; }
    QString incompleteLineText() const;
    const QByteArray& incompleteTail() const { return m_tornTail; }
    // What the file looked like when OpenForRead opened it.
    const FileStamp& openedStamp() const { return m_openedStamp; }

    // Takes the log's lock for a rewrite done in several steps (an import:
    // read, add, replace); the rewrites of this class then run under it.
    // unlock() or destruction gives it back.
    void lockForRewrite();
    void unlock() { m_lock.release(); }

    bool ReadRecord(QsoRecord& record, int number);

    struct Appended {
        FileStamp stamp;   // the log after the append
        QString notice;    // an incomplete last line was moved aside (empty: none was)
    };
    // Appends record and flushes it to disk. known is the log as the caller
    // last read it (openedStamp()); when the file is no longer that (another
    // program wrote it), reread is called first, under the lock, to read the
    // log again and renumber record. With a write error the file is cut back
    // to where it was.
    Appended AppendRecord(QsoRecord& record, const FileStamp& known = {},
                          const std::function<void(QsoRecord&)>& reread = {});
    Appended AppendRecord(const QsoRecord& record) {
        QsoRecord copy = record;
        return AppendRecord(copy);
    }
    bool ReplaceRecord(int number, const QsoRecord& record);
    // The same, but only while the record in the file is still the one the
    // caller showed (stillShown, asked under the lock within the one rewrite):
    // a list or tab filled before another program changed the log must not
    // write over a different contact. False, with nothing written, when it is
    // not or is gone.
    bool ReplaceRecordIf(int number, const std::function<bool(const QsoRecord& inFile)>& stillShown,
                         const QsoRecord& replacement);
    // Lets change alter the records of the given numbers (counted from 1 in
    // file order) and rewrites the log once, in one step; the other lines
    // keep their bytes. Returns how many of the numbers were found; with none
    // found the file is not touched.
    int SetRecords(const QSet<int>& numbers, const std::function<void(int number, QsoRecord& record)>& change);
    // What RemoveRecordIf took out of the log, enough to put it back.
    struct Removal {
        QString fileName;
        int number = 0;    // its place in the log, counted from 1
        QByteArray line;   // its line as the file held it
        QsoRecord record;  // the same, read
        QByteArray after;  // a digest of the log as the removal left it
    };
    // Takes record number out of the log, in one rewrite, while it is still
    // the one the caller showed (stillShown, asked under the lock): the
    // records after it move up and are numbered by their place, as Normalize
    // numbers them; the lines before it keep their bytes. nullopt, with
    // nothing written, when it is not or is gone.
    std::optional<Removal> RemoveRecordIf(int number, const std::function<bool(const QsoRecord& inFile)>& stillShown);
    // Puts a removed record back at its place with its line as it was; the
    // records after it move down and are numbered by their place again. Only
    // while the log is, byte for byte, what the removal left: after any other
    // write (another program, an append, a repair) the places no longer
    // fit, and false is returned with nothing written.
    bool RestoreRecord(const Removal& removal);

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
    // The number Normalize gives the record at place (counted from 1).
    static void NumberRecord(QsoRecord& record, int place);

    // The error for a line that has more than 15 separators.
    QString formatErrorText(int line) const;

private:
    bool readRawLine(QByteArray& line);
    void refuseIfNotText(const QByteArray& line);
    [[noreturn]] void throwIo(const QString& what, const QString& reason) const;
    class RewriteLock;
    QByteArray lastLineOf(int fd, qint64 size, qint64& start) const;
    QString moveFragmentAside(int fd, qint64 start, const QByteArray& fragment);
    QList<QByteArray> readRecordLines();
    void numberFrom(QList<QByteArray>& lines, int from, int moved) const;
    QByteArray joinedLog(const QList<QByteArray>& lines) const;

    QString m_fileName;
    std::unique_ptr<QFile> m_file;
    QByteArray m_header; // the header line as read, kept unchanged by ReplaceRecord
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atEnd = true;
    int m_lineNumber = 0;
    LogLock m_lock;     // exclusive, for an append or a rewrite
    LogLock m_readLock; // shared, while reading outside of those
    FileStamp m_openedStamp;
    QByteArray m_tornTail;
    int m_tornLine = 0;
};
