#include "logstore/FileStamp.h"

#include <QFile>
#include <sys/stat.h>

namespace {

FileStamp fromStat(const struct stat& st) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = st.st_size;
    stamp.modified = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.changed = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    stamp.fileId = qint64(st.st_ino);
    stamp.device = qint64(st.st_dev);
    return stamp;
}

} // namespace

// Once per keystroke for the tables: QFileInfo's times go through local-time
// conversions that cost more than the whole lookup, and they stop at
// milliseconds.
FileStamp FileStamp::of(const QString& fileName) {
    struct stat st;
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0)
        return {};
    return fromStat(st);
}

FileStamp FileStamp::of(int descriptor) {
    struct stat st;
    if (::fstat(descriptor, &st) != 0)
        return {};
    return fromStat(st);
}
