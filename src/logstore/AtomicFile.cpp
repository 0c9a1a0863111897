#include "logstore/AtomicFile.h"

#include "logstore/FileStamp.h"
#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool s_failNextCommit = false;

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString randomSuffix() {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString out;
    for (int i = 0; i < 6; ++i)
        out += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return out;
}

bool isOurTemporary(const QString& entry, const QString& prefix) {
    if (entry.size() != prefix.size() + 6 || !entry.startsWith(prefix))
        return false;
    for (qsizetype i = prefix.size(); i < entry.size(); ++i) {
        if (!entry[i].isLetterOrNumber() || entry[i].unicode() > 127)
            return false;
    }
    return true;
}

bool sameFile(int fd, const QString& path) {
    const FileStamp held = FileStamp::of(fd);
    const FileStamp named = FileStamp::of(path);
    return named.exists && held.fileId == named.fileId && held.device == named.device;
}

} // namespace

AtomicFile::AtomicFile(const QString& target) : m_target(target) {
    const QFileInfo info(target);
    if (info.isSymLink())
        m_target = info.symLinkTarget();
}

AtomicFile::~AtomicFile() { cancel(); }

void AtomicFile::fail(const QString& message, int error) {
    cancel();
    throw IoError(message.arg(native(m_target), systemReason(error)));
}

void AtomicFile::removeStaleTemporaries() const {
    const QFileInfo info(m_target);
    const QString prefix = info.fileName() + temporaryInfix();
    QDir dir = info.absoluteDir();
    const QStringList entries = dir.entryList({prefix + QStringLiteral("*")}, QDir::Files | QDir::Hidden);
    for (const QString& entry : entries) {
        if (!isOurTemporary(entry, prefix))
            continue;
        const QString path = dir.filePath(entry);
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        // A writer holds its temporary file until the rename: one we can lock
        // belongs to a writer that is gone.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, path))
            ::unlink(QFile::encodeName(path).constData());
        ::close(fd);
    }
}

void AtomicFile::open() {
    cancel();
    removeStaleTemporaries();
    // The new file keeps the permissions of the one it replaces.
    struct stat old;
    const bool replaces = ::stat(QFile::encodeName(m_target).constData(), &old) == 0;
    while (true) {
        m_temporary = m_target + temporaryInfix() + randomSuffix();
        const QByteArray name = QFile::encodeName(m_temporary);
        m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0) {
            const int error = errno;
            if (error == EEXIST)
                continue;
            m_temporary.clear();
            fail(msgText(Msg::FileNotWritable), error);
        }
        // Locked before anyone takes it for a leftover; if someone removed it
        // in between, start again with another name.
        if (::flock(m_fd, LOCK_EX) == 0 && sameFile(m_fd, m_temporary))
            break;
        ::close(m_fd);
        m_fd = -1;
    }
    if (replaces)
        ::fchmod(m_fd, old.st_mode & 07777);
}

void AtomicFile::write(const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(msgText(Msg::WriteErrorIn), n < 0 ? errno : EIO);
        data += n;
        left -= n;
    }
}

void AtomicFile::commit() {
    if (s_failNextCommit) {
        s_failNextCommit = false;
        cancel();
        throw IoError(QStringLiteral("\"%1\" konnte nicht ersetzt werden: simulierter Fehler").arg(native(m_target)));
    }
    if (::fsync(m_fd) != 0)
        fail(msgText(Msg::WriteErrorIn), errno);
    if (::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_target).constData()) != 0)
        fail(msgText(Msg::FileNotReplaced), errno);
    m_temporary.clear();
    ::close(m_fd); // releases the lock: the file has its final name now
    m_fd = -1;
    const int dir = ::open(QFile::encodeName(QFileInfo(m_target).absolutePath()).constData(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void AtomicFile::cancel() {
    if (!m_temporary.isEmpty()) {
        ::unlink(QFile::encodeName(m_temporary).constData());
        m_temporary.clear();
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void AtomicFile::failNextCommitForTesting() { s_failNextCommit = true; }
