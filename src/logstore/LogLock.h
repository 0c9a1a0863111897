#pragma once

#include <QString>

// An advisory lock (flock) on a log file, so that two programs writing one
// log at the same time lose nothing: every append and every rewrite holds it
// exclusively, and the lists read under a shared one (so they never see an
// append half done). A rewrite replaces the file by rename, so whoever waited
// on the old file finds, once it has the lock, that the name now means
// another file, and locks that one instead.
class LogLock {
public:
    enum class Mode { Shared, Exclusive };

    LogLock() = default;
    ~LogLock() { release(); }
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;

    // Opens fileName (read-write when writable, for an append) and waits for
    // the lock. Throws IoError naming the file when it cannot be opened or
    // another program holds it for longer than a rewrite of a large log takes.
    void acquire(const QString& fileName, Mode mode, bool writable = false);
    void release();
    bool held() const { return m_fd >= 0; }
    Mode mode() const { return m_mode; }
    // The locked file, open; valid while held.
    int descriptor() const { return m_fd; }

    // How long acquire waits before it gives up. Only tests shorten it.
    static void setPatienceForTesting(int milliseconds);

private:
    int m_fd = -1;
    Mode m_mode = Mode::Shared;
};
