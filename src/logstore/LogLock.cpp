#include "logstore/LogLock.h"

#include "logstore/FileStamp.h"
#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Longer than the rewrite of a log of 100 000 contacts or an import of a large
// ADIF file takes, shorter than an operator waits for a frozen window.
int s_patienceMs = 30000;

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

void LogLock::setPatienceForTesting(int milliseconds) { s_patienceMs = milliseconds; }

void LogLock::acquire(const QString& fileName, Mode mode, bool writable) {
    release();
    const QByteArray path = QFile::encodeName(fileName);
    const QString shown = QDir::toNativeSeparators(fileName);
    const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    QElapsedTimer waited;
    waited.start();
    int pause = 1;
    while (true) {
        const int fd = ::open(path.constData(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            throw IoError(QStringLiteral("%1 \"%2\": %3")
                              .arg(msgText(writable ? Msg::LogNotWritable : Msg::LogUnreadable), shown,
                                   systemReason(error)));
        }
        int locked;
        do {
            locked = ::flock(fd, operation);
        } while (locked != 0 && errno == EINTR);
        if (locked == 0) {
            // Replaced while we waited: the name now means another file.
            const FileStamp held = FileStamp::of(fd);
            const FileStamp named = FileStamp::of(fileName);
            if (named.exists && held.fileId == named.fileId && held.device == named.device) {
                m_fd = fd;
                m_mode = mode;
                return;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        // A file system without locks (some network shares) must not make
        // the log unusable: it is written as before, unlocked.
        if (error == ENOLCK || error == EOPNOTSUPP || error == EINVAL) {
            m_fd = fd;
            m_mode = mode;
            return;
        }
        ::close(fd);
        if (error != EWOULDBLOCK)
            throw IoError(QStringLiteral("%1 \"%2\": %3").arg(msgText(Msg::LogUnreadable), shown, systemReason(error)));
        if (waited.elapsed() >= s_patienceMs)
            throw IoError(msgText(Msg::LogBusy).arg(shown).arg(s_patienceMs / 1000));
        QThread::msleep(static_cast<unsigned long>(pause));
        pause = std::min(pause * 2, 50);
    }
}

void LogLock::release() {
    if (m_fd >= 0) {
        ::close(m_fd); // closing the last descriptor of the open file releases the lock
        m_fd = -1;
    }
}
