#pragma once

#include <QString>
#include <QtGlobal>

// What a file looked like when it was read: size, times and identity. The
// reference tables (DXCC.csv, DXCC.ini, DOK.ini) are read again as soon as
// their stamp changes, since they may be edited by hand while Vesk runs; a
// log whose stamp changed since the lists read it was written by another
// program, and an append reads it again before numbering its contact.
struct FileStamp {
    bool exists = false;
    qint64 size = -1;
    qint64 modified = 0; // nanoseconds since the epoch
    qint64 changed = 0;  // inode change: a same-size rewrite or a rename shows here
    qint64 fileId = 0;   // a file replaced by rename is another file
    qint64 device = 0;
    static FileStamp of(const QString& fileName);
    // The same for an open file, which may no longer have the name it was
    // opened by.
    static FileStamp of(int descriptor);
    bool operator==(const FileStamp&) const = default;
};
