#include "logstore/LogFile.h"

#include "logstore/AtomicFile.h"
#include "logstore/BandList.h"
#include "logstore/Codepage.h"
#include "logstore/DateText.h"
#include "logstore/IoError.h"
#include "logstore/PowerText.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr qsizetype kChunk = 256 * 1024;
const QByteArray kCrLf("\r\n");

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

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

QString LogFile::versionText() { return QStringLiteral("LogFileAccess  Version 1.2"); }

LogFile::~LogFile() = default;

void LogFile::Create(const QString& fileName) {
    CloseFile();
    m_fileName = fileName;
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
    m_file = std::make_unique<QFile>(m_fileName);
    if (!m_file->open(QIODevice::ReadOnly)) {
        const QString reason = m_file->errorString();
        m_file.reset();
        throwIo(msgText(Msg::LogUnreadable), reason);
    }
    m_buffer.clear();
    m_pos = 0;
    m_atEnd = false;
    m_lineNumber = 0;
    m_header.clear();
    readRawLine(m_header);
}

void LogFile::CloseFile() {
    m_file.reset();
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

void LogFile::AppendRecord(const QsoRecord& record) {
    CloseFile();
    QFile file(m_fileName);
    // Appending to a vanished log would create a file without header, whose
    // first contact every reader then skips: report the missing log instead.
    if (!file.exists())
        throwIo(msgText(Msg::LogMissing), msgText(Msg::FileNotFound));
    if (!file.open(QIODevice::ReadWrite))
        throwIo(msgText(Msg::LogNotWritable), file.errorString());
    const qint64 oldSize = file.size();
    // The first line tells whether the file is 8-bit text at all.
    {
        const QByteArray start = file.read(4096);
        const qsizetype lineEnd = start.indexOf('\n');
        const QByteArray first = lineEnd < 0 ? start : start.left(lineEnd);
        if (first.startsWith("\xFF\xFE") || first.startsWith("\xFE\xFF") || first.contains('\0'))
            throw IoError(msgText(Msg::LogNotText).arg(native(m_fileName)).arg(1));
    }
    QByteArray bytes;
    if (oldSize > 0) {
        // A hand-edited log may lack the final line end; without one the new
        // contact would be glued onto the last line.
        file.seek(oldSize - 1);
        char last = 0;
        if (file.read(&last, 1) == 1 && last != '\n' && last != '\r')
            bytes += kCrLf;
    }
    Codepage::encodeAppend(record.encodeLine(), bytes);
    bytes += kCrLf;
    file.seek(oldSize);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.resize(oldSize); // never leave half a line behind
        throwIo(msgText(Msg::ContactNotAppended), reason);
    }
    if (::fdatasync(file.handle()) != 0) {
        file.resize(oldSize);
        throwIo(msgText(Msg::ContactNotSaved),
                QString::fromLocal8Bit(strerror(errno)));
    }
}

bool LogFile::ReplaceRecord(int number, const QsoRecord& record) {
    if (number < 1)
        return false;
    return SetRecords({number}, [&](int, QsoRecord& r) { r = record; }) == 1;
}

int LogFile::SetRecords(const QSet<int>& numbers, const std::function<void(int number, QsoRecord& record)>& change) {
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

    AtomicFile file(m_fileName);
    file.open();
    file.write(out);
    file.commit();
    return changed;
}

void LogFile::NormalizeRecord(QsoRecord& r, int number, const QDateTime& localNow) {
    r[QsoRecord::Number] = QString::number(number);
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
        try {
            NormalizeRecord(record, counter, localNow);
        } catch (const IoError& e) {
            const int at = m_lineNumber;
            CloseFile();
            throw IoError(msgText(Msg::LogRepairLineError)
                              .arg(native(m_fileName))
                              .arg(at)
                              .arg(e.message()));
        }
        Codepage::encodeAppend(record.encodeLine(), out);
        out += kCrLf;
        ++counter;
    }
    CloseFile();

    AtomicFile file(m_fileName);
    file.open();
    file.write(out);
    file.commit();
    return counter - 1;
}
