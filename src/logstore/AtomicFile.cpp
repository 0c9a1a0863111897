#include "logstore/AtomicFile.h"

#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"

#include <QDir>

namespace {
bool s_failNextCommit = false;
}

AtomicFile::AtomicFile(const QString& target) : m_file(target) {}

AtomicFile::~AtomicFile() { cancel(); }

void AtomicFile::open() {
    if (!m_file.open(QIODevice::WriteOnly)) {
        throw IoError(msgText(Msg::FileNotWritable)
                          .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString()));
    }
    m_open = true;
}

void AtomicFile::write(const QByteArray& bytes) {
    if (m_file.write(bytes) != bytes.size()) {
        const QString reason = m_file.errorString();
        cancel();
        throw IoError(msgText(Msg::WriteErrorIn)
                          .arg(QDir::toNativeSeparators(m_file.fileName()), reason));
    }
}

void AtomicFile::commit() {
    if (s_failNextCommit) {
        s_failNextCommit = false;
        cancel();
        throw IoError(QStringLiteral("\"%1\" konnte nicht ersetzt werden: simulierter Fehler")
                          .arg(QDir::toNativeSeparators(m_file.fileName())));
    }
    m_open = false;
    if (!m_file.commit()) {
        throw IoError(msgText(Msg::FileNotReplaced)
                          .arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString()));
    }
}

void AtomicFile::cancel() {
    if (m_open) {
        m_file.cancelWriting();
        m_file.commit(); // with writing cancelled this only removes the temporary file
        m_open = false;
    }
}

void AtomicFile::failNextCommitForTesting() { s_failNextCommit = true; }
