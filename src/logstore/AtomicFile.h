#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Rewrites a file so that it is never missing or half written: the new
// content goes to a uniquely named temporary file in the same folder, is
// flushed to disk and then replaces the file by one atomic rename. Until
// commit() succeeds the old file stays byte-identical; on failure the
// temporary file is removed and an IoError names the file.
class AtomicFile {
public:
    explicit AtomicFile(const QString& target);
    ~AtomicFile(); // discards the temporary file unless committed

    void open();
    void write(const QByteArray& bytes);
    void commit();
    void cancel();

    // Makes the next commit() fail at the rename, as a full disk or a file
    // locked by another program would. Only tests use it.
    static void failNextCommitForTesting();

private:
    QSaveFile m_file;
    bool m_open = false;
};
