#include "converter/TargetLog.h"

#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFileInfo>

TargetLog::TargetLog(const QString& path, const QDateTime& localNow) : m_path(path), m_localNow(localNow) {
    Codepage::encodeAppend(QsoRecord::headerLine(), m_out);
    m_out += "\r\n";
    m_existed = QFileInfo::exists(path);
    if (!m_existed)
        return;
    // Held until commit: another import or an append in between would be
    // overwritten by ours.
    m_log.Create(path);
    m_log.lockForRewrite();
    LogFile& log = m_log;
    log.OpenForRead();
    log.refuseMissingHeader();
    QsoRecord record;
    while (log.ReadNext(record)) {
        m_lastNumber = record[QsoRecord::Number];
        m_lastLine = log.lineNumber();
        appendNormalized(record);
    }
    log.CloseFile();
    m_incomplete = log.incompleteLine() ? log.incompleteLineText() : QString();
    m_tornTail = log.incompleteTail();
    m_existing = m_count;
}

int TargetLog::nextNumber() const {
    if (m_existing == 0 || m_lastNumber.isEmpty())
        return 1;
    bool ok = false;
    const int n = m_lastNumber.toInt(&ok);
    if (!ok) {
        throw IoError(
            msgText(Msg::LastNumberNotInteger)
                .arg(QDir::toNativeSeparators(m_path))
                .arg(m_lastLine)
                .arg(m_lastNumber));
    }
    return n + 1;
}

void TargetLog::appendNormalized(QsoRecord& record) {
    LogFile::NormalizeRecord(record, m_count + 1, m_localNow);
    Codepage::encodeAppend(record.encodeLine(), m_out);
    m_out += "\r\n";
    ++m_count;
}

void TargetLog::add(const QsoRecord& record) {
    // Through the line as AppendRecord writes it and Normalize reads it back,
    // so that the result does not depend on the way the record came in.
    QsoRecord stored;
    QsoRecord::decodeLine(record.encodeLine(), stored);
    appendNormalized(stored);
}

void TargetLog::commit() {
    AtomicFile file(m_path);
    file.open();
    file.write(m_out);
    file.write(m_tornTail); // stays last, never taken for a contact
    file.commit();
    m_log.unlock();
}
