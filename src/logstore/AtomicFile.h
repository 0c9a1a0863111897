#pragma once

#include <QByteArray>
#include <QString>

// Rewrites a file so that it is never missing or half written: the new
// content goes to a temporary file "<name>.vesk-XXXXXX" in the same folder,
// is flushed to disk and then replaces the file by one atomic rename (the
// folder is flushed too, so the rename survives a power cut). Until commit()
// succeeds the old file stays byte-identical; on failure the temporary file
// is removed and an IoError names the file and the system's reason.
//
// The writer holds a lock on its temporary file until it is renamed. A
// temporary file nobody holds was left by a writer that was killed; open()
// removes such leftovers of the same target, which would otherwise pile up
// as full copies of the log beside it.
class AtomicFile {
public:
    explicit AtomicFile(const QString& target);
    ~AtomicFile(); // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void open();
    void write(const QByteArray& bytes);
    void commit();
    void cancel();

    // The suffix of the temporary files beside target, before the six
    // random characters.
    static QString temporaryInfix() { return QStringLiteral(".vesk-"); }

    // Makes the next commit() fail at the rename, as a full disk or a file
    // locked by another program would. Only tests use it.
    static void failNextCommitForTesting();

private:
    [[noreturn]] void fail(const QString& message, int error);
    void removeStaleTemporaries() const;

    QString m_target; // symbolic links resolved: the link stays a link
    QString m_temporary;
    int m_fd = -1;
};
