#include "windows/DataFiles.h"

#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

namespace DataFiles {

QStringList list(const QString& folder) {
    QStringList names;
    const QStringList all =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : all) {
        const qsizetype dot = name.lastIndexOf(u'.');
        if (dot < 0)
            continue;
        const QStringView extension = QStringView(name).mid(dot + 1);
        if (extension == u"csv" || extension == u"log" || extension == u"txt")
            names << name;
    }
    return names;
}

QString withExtension(const QString& name, const QString& extension) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.left(dot)) + u'.' + extension;
}

QString rename(const QString& folder, const QString& from, const QString& to) {
    const QDir dir(folder);
    const QString source = dir.filePath(from);
    const QString target = dir.filePath(to);
    if (from == to)
        return {};
    // Refused before trying: a rename onto an existing name would replace that
    // file, and the file formats window must never lose one.
    if (QFileInfo::exists(target))
        return msgText(Msg::DataFileRenameFailed).arg(from, to, msgText(Msg::DataFileTargetExists));
    const QByteArray s = QFile::encodeName(source), t = QFile::encodeName(target);
    // The kernel refuses to replace in the same step, so no file appearing
    // between the check and the rename is lost either.
    int result = ::renameat2(AT_FDCWD, s.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE);
    if (result != 0 && (errno == EINVAL || errno == ENOSYS))
        result = std::rename(s.constData(), t.constData()); // a file system without that flag
    if (result != 0) {
        const QString reason = errno == EEXIST ? msgText(Msg::DataFileTargetExists)
                                               : QString::fromLocal8Bit(std::strerror(errno));
        return msgText(Msg::DataFileRenameFailed).arg(from, to, reason);
    }
    return {};
}

} // namespace DataFiles
