#include "logstore/LogDirectory.h"

#include <QDir>

namespace LogDirectory {

QStringList logFiles(const QString& folder) {
    QDir dir(folder);
    // Sorted by name, the order the user expects in a menu (and the order a
    // Windows folder listing delivers).
    return dir.entryList({QStringLiteral("*.log")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
}

std::optional<QString> newLogFileName(const QString& answer) {
    if (answer.isEmpty())
        return std::nullopt;
    QString name = answer;
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    if (cut >= 0)
        name = name.mid(cut + 1);
    if (name.trimmed().isEmpty())
        return std::nullopt;
    if (!name.endsWith(QStringLiteral(".log")))
        name += QStringLiteral(".log");
    return name;
}

} // namespace LogDirectory
