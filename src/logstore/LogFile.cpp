#include "logstore/LogFile.h"

#include "logstore/AtomicFile.h"
#include "logstore/BandList.h"
#include "logstore/Codepage.h"
#include "logstore/DateText.h"
#include "logstore/IoError.h"
#include "logstore/PowerText.h"
#include "platform/ProgramTexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QScopeGuard>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qsizetype kChunk = 256 * 1024;
const QByteArray kCrLf("\r\n");

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

// Fewer than 16 fields: no append of ours ever wrote such a line without its
// line end. (A last line of 16 fields without one is a hand-edited log.)
bool isFragment(const QByteArray& lastLine) { return lastLine.count(';') < QsoRecord::FieldCount - 1; }

// pread/pwrite until all is done: both may stop short (a signal, a full disk).
template <typename Data, typename Transfer> bool transferAll(Transfer transfer, int fd, Data* data, qint64 size, qint64 at) {
    while (size > 0) {
        const ssize_t n = transfer(fd, data, static_cast<size_t>(size), at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= n;
        at += n;
    }
    return true;
}

bool writeAllAt(int fd, const QByteArray& bytes, qint64 at) { return transferAll(::pwrite, fd, bytes.constData(), bytes.size(), at); }

bool readAllAt(int fd, char* data, qint64 size, qint64 at) { return transferAll(::pread, fd, data, size, at); }

void addRejected(QsoRecord& r, const QString& text) {
    r[QsoRecord::Comments] += QStringLiteral(" / ") + text;
}

// "ddmmyy" -> "dd.mm.yy", "ddmmyyyy" -> "dd.mm.yyyy"; texts with a dot or
// another length stay as they are.
QString insertDateDots(const QString& text) {
    if (text.contains(u'.'))
        return text;
    if (text.size() == 6 || text.size() == 8)
        return text.left(2) + u'.' + text.mid(2, 2) + u'.' + text.mid(4);
    return text;
}

QString insertTimeColons(const QString& text) {
    if (text.contains(u':'))
        return text;
    if (text.size() == 4)
        return text.left(2) + u':' + text.mid(2);
    if (text.size() == 6)
        return text.left(2) + u':' + text.mid(2, 2) + u':' + text.mid(4);
    return text;
}

} // namespace

// Holds the log's exclusive lock for the length of one rewrite, unless the
// caller holds it already (lockForRewrite).
class LogFile::RewriteLock {
public:
    explicit RewriteLock(LogFile& log) : m_log(log), m_mine(!log.m_lock.held()) {
        if (m_mine)
            log.lockForRewrite();
    }
    ~RewriteLock() {
        if (m_mine)
            m_log.unlock();
    }
    RewriteLock(const RewriteLock&) = delete;
    RewriteLock& operator=(const RewriteLock&) = delete;

private:
    LogFile& m_log;
    bool m_mine;
};

QString LogFile::versionText() { return QStringLiteral("LogFileAccess  Version 1.2"); }

LogFile::~LogFile() = default;

void LogFile::Create(const QString& fileName) {
    CloseFile();
    m_lock.release();
    m_fileName = fileName;
}

void LogFile::lockForRewrite() {
    CloseFile();
    m_lock.acquire(m_fileName, LogLock::Mode::Exclusive);
}

QString LogFile::incompleteLineText() const {
    return m_tornLine ? msgText(Msg::LogIncompleteLastLine).arg(native(m_fileName)).arg(m_tornLine) : QString();
}

void LogFile::throwIo(const QString& what, const QString& reason) const {
    throw IoError(QStringLiteral("%1 \"%2\": %3").arg(what, native(m_fileName), reason));
}

QString LogFile::formatErrorText(int line) const {
    return msgText(Msg::LogTooManySeparators)
        .arg(native(m_fileName))
        .arg(line);
}

void LogFile::WriteHeader() {
    CloseFile();
    AtomicFile out(m_fileName);
    out.open();
    out.write(Codepage::encode(QsoRecord::headerLine()) + kCrLf);
    out.commit();
}

void LogFile::OpenForRead() {
    CloseFile();
    // Under our own exclusive lock (a rewrite, or an append that reads the log
    // again) a shared one would wait for ourselves.
    if (!m_lock.held())
        m_readLock.acquire(m_fileName, LogLock::Mode::Shared);
    m_file = std::make_unique<QFile>(m_fileName);
    if (!m_file->open(QIODevice::ReadOnly)) {
        const QString reason = m_file->errorString();
        CloseFile();
        throwIo(msgText(Msg::LogUnreadable), reason);
    }
    m_openedStamp = FileStamp::of(m_file->handle());
    m_tornTail.clear();
    m_tornLine = 0;
    m_buffer.clear();
    m_pos = 0;
    m_atEnd = false;
    m_lineNumber = 0;
    m_header.clear();
    readRawLine(m_header);
}

void LogFile::CloseFile() {
    m_file.reset();
    m_readLock.release();
    m_buffer = QByteArray();
    m_pos = 0;
    m_atEnd = true;
}

// A line ends at CR LF, LF or a lone CR (old Mac editors and some converters
// write those): read as one line, such a log would lose every contact at its
// next rewrite.
bool LogFile::readRawLine(QByteArray& line) {
    if (!m_file)
        return false;
    while (true) {
        const char* data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        const char* from = data + m_pos;
        const qsizetype left = size - m_pos;
        const auto* lf = left > 0 ? static_cast<const char*>(std::memchr(from, '\n', static_cast<std::size_t>(left)))
                                  : nullptr;
        const qsizetype scanned = lf ? lf - from : left;
        const auto* cr = scanned > 0 ? static_cast<const char*>(std::memchr(from, '\r', static_cast<std::size_t>(scanned)))
                                     : nullptr;
        const char* end = cr ? cr : lf;
        // A CR as the last byte read so far may be the first half of CR LF.
        if (end && !(end == cr && end + 1 == data + size && !m_atEnd)) {
            line = m_buffer.mid(m_pos, end - from);
            m_pos = end - data + 1;
            if (end == cr && m_pos < size && data[m_pos] == '\n')
                ++m_pos;
            ++m_lineNumber;
            refuseIfNotText(line);
            return true;
        }
        if (m_atEnd) {
            if (m_pos >= size)
                return false;
            // The last line of a file without a final line end.
            line = m_buffer.mid(m_pos);
            m_pos = size;
            ++m_lineNumber;
            refuseIfNotText(line);
            if (m_lineNumber > 1 && isFragment(line)) {
                m_tornTail = line;
                m_tornLine = m_lineNumber;
                return false;
            }
            return true;
        }
        m_buffer.remove(0, m_pos);
        m_pos = 0;
        const qsizetype old = m_buffer.size();
        m_buffer.resize(old + kChunk);
        const qint64 n = m_file->read(m_buffer.data() + old, kChunk);
        if (n < 0) {
            m_buffer.resize(old);
            throwIo(msgText(Msg::LogReadErrorIn), m_file->errorString());
        }
        m_buffer.resize(old + n);
        if (n == 0)
            m_atEnd = true;
    }
}

bool LogFile::headerIsContact() const {
    const QList<QByteArray> fields = m_header.split(';');
    bool number = false;
    return fields.size() == QsoRecord::FieldCount && fields[0].trimmed().toInt(&number) > 0 && number;
}

// Every reader skips the first line as the header; a rewrite would drop a
// contact standing there (the header deleted by hand).
void LogFile::refuseMissingHeader() {
    if (!headerIsContact())
        return;
    CloseFile();
    throw IoError(msgText(Msg::LogHeaderIsContact).arg(native(m_fileName)));
}

// A log saved as UTF-16 ("Unicode" in Windows editors) or holding NUL bytes
// is no log of ours: "repaired", it would become garbage.
void LogFile::refuseIfNotText(const QByteArray& line) {
    const bool utf16 = m_lineNumber == 1 && (line.startsWith("\xFF\xFE") || line.startsWith("\xFE\xFF"));
    if (utf16 || line.contains('\0')) {
        const int at = m_lineNumber;
        CloseFile();
        throw IoError(msgText(Msg::LogNotText).arg(native(m_fileName)).arg(at));
    }
}

bool LogFile::ReadNextLine(QString& line) {
    QByteArray raw;
    if (!readRawLine(raw))
        return false;
    line = Codepage::decode(raw);
    return true;
}

bool LogFile::ReadNext(QsoRecord& record) {
    QString line;
    if (!ReadNextLine(line))
        return false;
    if (!QsoRecord::decodeLine(line, record)) {
        const int at = m_lineNumber;
        CloseFile();
        throw IoError(formatErrorText(at));
    }
    return true;
}

bool LogFile::scanPacked(const std::function<bool(const QString& line, const PackedRecord& record)>& visit) {
    OpenForRead();
    try {
        QString line;
        PackedRecord record;
        while (ReadNextLine(line)) {
            if (!PackedRecord::fromLine(line, record))
                throw IoError(formatErrorText(m_lineNumber));
            if (visit(line, record)) {
                CloseFile();
                return true;
            }
        }
    } catch (...) {
        CloseFile();
        throw;
    }
    CloseFile();
    return false;
}

bool LogFile::ReadRecord(QsoRecord& record, int number) {
    if (number < 1)
        return false;
    OpenForRead();
    QByteArray skip;
    for (int i = 1; i < number; ++i) {
        if (!readRawLine(skip)) {
            CloseFile();
            return false;
        }
    }
    bool found = false;
    try {
        found = ReadNext(record);
    } catch (...) {
        CloseFile();
        throw;
    }
    CloseFile();
    return found;
}

// The last line of the file (after its last line end) and where it starts;
// read backwards, so that an append does not read the whole log.
QByteArray LogFile::lastLineOf(int fd, qint64 size, qint64& start) const {
    constexpr qint64 step = 64 * 1024;
    QByteArray tail;
    qint64 from = size;
    while (from > 0) {
        const qint64 n = std::min(step, from);
        from -= n;
        QByteArray chunk(static_cast<qsizetype>(n), Qt::Uninitialized);
        if (!readAllAt(fd, chunk.data(), n, from))
            throwIo(msgText(Msg::LogReadErrorIn), systemReason(errno));
        tail.prepend(chunk);
        for (qsizetype i = chunk.size() - 1; i >= 0; --i) {
            if (isLineEnd(chunk[i])) {
                start = from + i + 1;
                return tail.mid(i + 1);
            }
        }
    }
    start = 0;
    return tail;
}

// Keeps what a cut-short write left in "<log>.fragment" (added to what may
// be there already) before the append takes its place.
QString LogFile::moveFragmentAside(int fd, qint64 start, const QByteArray& fragment) {
    // Its line number, for the message: the lines before it, read under our lock.
    int line = 0;
    OpenForRead();
    {
        QByteArray skip;
        while (readRawLine(skip)) {
        }
        line = m_tornLine ? m_tornLine : m_lineNumber;
    }
    CloseFile();
    const QString side = m_fileName + QStringLiteral(".fragment");
    const int out = ::open(QFile::encodeName(side).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (out < 0)
        throwIo(msgText(Msg::ContactNotAppended), systemReason(errno));
    const bool kept = writeAllAt(out, fragment + kCrLf, ::lseek(out, 0, SEEK_END)) && ::fdatasync(out) == 0;
    const int error = errno;
    ::close(out);
    if (!kept)
        throwIo(msgText(Msg::ContactNotAppended), systemReason(error));
    if (::ftruncate(fd, start) != 0)
        throwIo(msgText(Msg::ContactNotAppended), systemReason(errno));
    return msgText(Msg::LogFragmentMovedAside).arg(native(m_fileName)).arg(line).arg(native(side));
}

LogFile::Appended LogFile::AppendRecord(QsoRecord& record, const FileStamp& known,
                                        const std::function<void(QsoRecord&)>& reread) {
    CloseFile();
    // Appending to a vanished log would create a file without header, whose
    // first contact every reader then skips: report the missing log instead.
    if (!QFile::exists(m_fileName))
        throwIo(msgText(Msg::LogMissing), msgText(Msg::FileNotFound));
    const bool mine = !m_lock.held();
    if (mine)
        m_lock.acquire(m_fileName, LogLock::Mode::Exclusive, true);
    const auto release = qScopeGuard([&] {
        if (mine)
            m_lock.release();
    });
    const int fd = m_lock.descriptor();
    // The first line tells whether the file is 8-bit text at all.
    {
        char start[4096];
        const ssize_t n = ::pread(fd, start, sizeof start, 0);
        const QByteArray head = QByteArray::fromRawData(start, n > 0 ? n : 0);
        const qsizetype lineEnd = head.indexOf('\n');
        const QByteArray first = lineEnd < 0 ? head : head.left(lineEnd);
        if (first.startsWith("\xFF\xFE") || first.startsWith("\xFE\xFF") || first.contains('\0'))
            throw IoError(msgText(Msg::LogNotText).arg(native(m_fileName)).arg(1));
    }
    // Another program wrote the log since the lists read it: read it again,
    // so that the contact is numbered after what is there now.
    if (known.exists && reread && !(FileStamp::of(fd) == known))
        reread(record);

    Appended result;
    qint64 oldSize = FileStamp::of(fd).size;
    QByteArray bytes;
    char last = 0;
    if (oldSize > 0 && readAllAt(fd, &last, 1, oldSize - 1) && !isLineEnd(last)) {
        qint64 start = 0;
        const QByteArray lastLine = lastLineOf(fd, oldSize, start);
        if (start > 0 && isFragment(lastLine)) {
            result.notice = moveFragmentAside(fd, start, lastLine);
            oldSize = start;
        } else {
            // A hand-edited log may lack the final line end; without one the
            // new contact would be glued onto the last line.
            bytes += kCrLf;
        }
    }
    Codepage::encodeAppend(record.encodeLine(), bytes);
    bytes += kCrLf;
    // On the descriptor itself: a failed write must not leave half a contact
    // behind, for a later repair to turn into a contact of its own.
    if (!writeAllAt(fd, bytes, oldSize)) {
        const int error = errno;
        if (::ftruncate(fd, oldSize) != 0) {
            // Nothing more we can do; the message tells the user.
        }
        throwIo(msgText(Msg::ContactNotAppended), systemReason(error));
    }
    if (::fdatasync(fd) != 0) {
        const int error = errno;
        if (::ftruncate(fd, oldSize) != 0) {
            // As above.
        }
        throwIo(msgText(Msg::ContactNotSaved), systemReason(error));
    }
    result.stamp = FileStamp::of(fd);
    return result;
}

bool LogFile::ReplaceRecord(int number, const QsoRecord& record) {
    if (number < 1)
        return false;
    return SetRecords({number}, [&](int, QsoRecord& r) { r = record; }) == 1;
}

bool LogFile::ReplaceRecordIf(int number, const std::function<bool(const QsoRecord& inFile)>& stillShown,
                              const QsoRecord& replacement) {
    struct Differs {};
    if (number < 1)
        return false;
    try {
        return SetRecords({number}, [&](int, QsoRecord& r) {
                   if (!stillShown(r))
                       throw Differs{};
                   r = replacement;
               }) == 1;
    } catch (const Differs&) {
        CloseFile();
        return false;
    }
}

int LogFile::SetRecords(const QSet<int>& numbers, const std::function<void(int number, QsoRecord& record)>& change) {
    RewriteLock lock(*this);
    OpenForRead(); // reads the header line
    refuseMissingHeader();
    QByteArray out;
    out.reserve(static_cast<qsizetype>(m_file->size()) + 256);
    out += m_header + kCrLf;
    QByteArray line;
    QsoRecord record;
    int changed = 0;
    for (int number = 1; readRawLine(line); ++number) {
        if (!numbers.contains(number)) {
            out += line + kCrLf; // untouched lines keep their bytes
            continue;
        }
        if (!QsoRecord::decodeLine(Codepage::decode(line), record)) {
            const int at = m_lineNumber;
            CloseFile();
            throw IoError(formatErrorText(at));
        }
        change(number, record);
        Codepage::encodeAppend(record.encodeLine(), out);
        out += kCrLf;
        ++changed;
    }
    CloseFile();
    if (changed == 0)
        return 0;
    out += m_tornTail;

    AtomicFile file(m_fileName);
    file.open();
    file.write(out);
    file.commit();
    return changed;
}

void LogFile::NumberRecord(QsoRecord& record, int place) { record[QsoRecord::Number] = QString::number(place); }

void LogFile::NormalizeRecord(QsoRecord& r, int number, const QDateTime& localNow) {
    NumberRecord(r, number);
    r[QsoRecord::Band] = AsciiCase::toLower(r[QsoRecord::Band]);
    for (int f : {QsoRecord::Mode, QsoRecord::Call, QsoRecord::Dok, QsoRecord::Locator})
        r[f] = AsciiCase::toUpper(r[f]);

    // A power in any form it comes in ("50", "0.5W", "1,5kW", "500mW") is
    // stored in watts; free text ("KWM-2") goes into Comments, never lost.
    QString& pwr = r[QsoRecord::TxPwr];
    if (pwr.isEmpty()) {
        pwr = QStringLiteral("1W");
    } else if (const auto watts = PowerText::watts(pwr)) {
        pwr = PowerText::logText(*watts);
    } else {
        addRejected(r, pwr);
        pwr = QStringLiteral("1W");
    }

    const int year = localNow.date().year();
    {
        QString& date = r[QsoRecord::Date];
        const QString text = insertDateDots(date);
        const auto parsed = DateText::parseDate(text, year);
        if (parsed) {
            date = DateText::formatDate(*parsed);
        } else {
            addRejected(r, text);
            date = DateText::formatDate(localNow.date());
        }
    }
    for (int f : {QsoRecord::QslOut, QsoRecord::QslIn}) {
        QString& qsl = r[f];
        if (qsl.isEmpty())
            continue;
        const QString text = insertDateDots(qsl);
        const auto parsed = DateText::parseDate(text, year);
        if (parsed) {
            qsl = DateText::formatDate(*parsed);
        } else {
            addRejected(r, text);
            qsl.clear();
        }
    }
    {
        QString& utc = r[QsoRecord::Utc];
        const QString text = insertTimeColons(utc);
        const auto parsed = DateText::parseTime(text);
        if (parsed) {
            utc = DateText::formatTime(*parsed);
        } else {
            addRejected(r, text);
            utc = DateText::formatTime(localNow.time());
        }
    }
}

int LogFile::Normalize(const QDateTime& localNow) { return Normalize(localNow, {}, {}); }

int LogFile::Normalize(const QDateTime& localNow, const QSet<int>& numbers,
                       const std::function<void(int number, QsoRecord& record)>& change) {
    RewriteLock lock(*this);
    QByteArray out;
    Codepage::encodeAppend(QsoRecord::headerLine(), out);
    out += kCrLf;
    OpenForRead();
    refuseMissingHeader();
    out.reserve(static_cast<qsizetype>(m_file->size()) + 4096);
    QsoRecord record;
    int counter = 1;
    while (ReadNext(record)) { // a line no record can hold stops here, naming file and line
        if (numbers.contains(counter))
            change(counter, record);
        NormalizeRecord(record, counter, localNow);
        Codepage::encodeAppend(record.encodeLine(), out);
        out += kCrLf;
        ++counter;
    }
    CloseFile();
    out += m_tornTail;

    AtomicFile file(m_fileName);
    file.open();
    file.write(out);
    file.commit();
    return counter - 1;
}

// The record lines of the log (under the caller's lock), the header kept in
// m_header and an incomplete last line in m_tornTail.
QList<QByteArray> LogFile::readRecordLines() {
    OpenForRead();
    refuseMissingHeader();
    QList<QByteArray> lines;
    QByteArray line;
    while (readRawLine(line))
        lines << line;
    CloseFile();
    return lines;
}

// The records from index from on get the number of their place; a line that
// has it already keeps its bytes. moved: how many lines they moved up (1) or
// down (-1), so that an error names the line as the file holds it.
void LogFile::numberFrom(QList<QByteArray>& lines, int from, int moved) const {
    QsoRecord record;
    for (qsizetype i = from; i < lines.size(); ++i) {
        const int place = static_cast<int>(i) + 1;
        if (!QsoRecord::decodeLine(Codepage::decode(lines[i]), record))
            throw IoError(formatErrorText(place + 1 + moved)); // the header is line 1
        const QString before = record[QsoRecord::Number];
        NumberRecord(record, place);
        if (record[QsoRecord::Number] == before)
            continue;
        QByteArray encoded;
        Codepage::encodeAppend(record.encodeLine(), encoded);
        lines[i] = encoded;
    }
}

QByteArray LogFile::joinedLog(const QList<QByteArray>& lines) const {
    QByteArray out;
    qsizetype size = m_header.size() + 2 + m_tornTail.size();
    for (const QByteArray& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    out += m_header + kCrLf;
    for (const QByteArray& line : lines)
        out += line + kCrLf;
    out += m_tornTail;
    return out;
}

namespace {

QByteArray digestOf(const QByteArray& bytes) { return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256); }

} // namespace

std::optional<LogFile::Removal> LogFile::RemoveRecordIf(int number,
                                                       const std::function<bool(const QsoRecord& inFile)>& stillShown) {
    if (number < 1)
        return std::nullopt;
    RewriteLock lock(*this);
    QList<QByteArray> lines = readRecordLines();
    if (number > lines.size())
        return std::nullopt;
    Removal removal;
    removal.fileName = m_fileName;
    removal.number = number;
    removal.line = lines[number - 1];
    if (!QsoRecord::decodeLine(Codepage::decode(removal.line), removal.record))
        throw IoError(formatErrorText(number + 1));
    if (!stillShown(removal.record))
        return std::nullopt;
    lines.removeAt(number - 1);
    numberFrom(lines, number - 1, 1);
    const QByteArray out = joinedLog(lines);

    AtomicFile file(m_fileName);
    file.open();
    file.write(out);
    file.commit();
    removal.after = digestOf(out);
    return removal;
}

bool LogFile::RestoreRecord(const Removal& removal) {
    if (removal.number < 1 || removal.fileName != m_fileName)
        return false;
    RewriteLock lock(*this);
    {
        QFile now(m_fileName);
        if (!now.open(QIODevice::ReadOnly))
            throwIo(msgText(Msg::LogUnreadable), now.errorString());
        const QByteArray bytes = now.readAll();
        if (now.error() != QFileDevice::NoError)
            throwIo(msgText(Msg::LogReadErrorIn), now.errorString());
        if (digestOf(bytes) != removal.after)
            return false;
    }
    QList<QByteArray> lines = readRecordLines();
    if (removal.number > lines.size() + 1)
        return false; // cannot happen while the digest matches
    lines.insert(removal.number - 1, removal.line);
    numberFrom(lines, removal.number, -1);
    const QByteArray out = joinedLog(lines);

    AtomicFile file(m_fileName);
    file.open();
    file.write(out);
    file.commit();
    return true;
}
