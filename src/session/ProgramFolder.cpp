#include "session/ProgramFolder.h"
#include "platform/ProgramTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

ProgramFolder::Choice ProgramFolder::choose(const QString& commandLineFolder, const QString& environmentFolder,
                                            const QString& executableFolder, const QString& perUserFolder) {
    if (!commandLineFolder.isEmpty())
        return {QDir(commandLineFolder).absolutePath(), Source::CommandLine};
    if (!environmentFolder.isEmpty())
        return {QDir(environmentFolder).absolutePath(), Source::Environment};
    if (QFileInfo::exists(QDir(executableFolder).filePath(manifestName())) && isWritable(executableFolder))
        return {QDir(executableFolder).absolutePath(), Source::Executable};
    return {QDir(perUserFolder).absolutePath(), Source::PerUser};
}

QString ProgramFolder::perUserFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/vesk");
}

bool ProgramFolder::isWritable(const QString& folder) {
    // Permission bits lie on read-only mounts and for root: try it.
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/.vesk-write-test-XXXXXX"));
    return probe.open();
}

QString ProgramFolder::shippedDataFolder(const QString& executableFolder) {
    if (executableFolder.isEmpty())
        return {};
    const QDir exe(executableFolder);
    if (QFileInfo::exists(exe.filePath(manifestName())))
        return QDir::cleanPath(exe.absolutePath());
    // Relative to the executable, so that a prefix moved elsewhere still works.
    const QString installed = QDir::cleanPath(exe.absoluteFilePath(QStringLiteral("../share/vesk")));
    if (QFileInfo::exists(QDir(installed).filePath(manifestName())))
        return installed;
    return {};
}

QStringList ProgramFolder::seed(const QString& target, const QString& dataFolder) {
    QStringList problems;
    QFile manifest(dataFolder + u'/' + manifestName());
    if (!manifest.open(QIODevice::ReadOnly | QIODevice::Text))
        return problems; // nothing shipped beside this binary
    const QDir source(dataFolder);
    const QDir dest(target);
    while (!manifest.atEnd()) {
        const QString rel = QString::fromUtf8(manifest.readLine()).trimmed();
        if (rel.isEmpty() || rel.startsWith(u'/') || rel.contains(QStringLiteral("..")))
            continue;
        const QString to = dest.filePath(rel);
        if (QFileInfo::exists(to))
            continue;
        QDir().mkpath(QFileInfo(to).absolutePath());
        if (!QFile::copy(source.filePath(rel), to)) {
            problems << msgText(Msg::CopyFailed)
                            .arg(QDir::toNativeSeparators(source.filePath(rel)), QDir::toNativeSeparators(to));
            continue;
        }
        // Copies of read-only installed files must stay editable by their owner.
        QFile(to).setPermissions(QFile(to).permissions() | QFileDevice::WriteOwner);
    }
    return problems;
}

QString ProgramFolder::prepare(const QString& commandLineFolder, QString* error, QStringList* warnings) {
    const QString exeFolder = QCoreApplication::applicationDirPath();
    return prepare(choose(commandLineFolder, qEnvironmentVariable("VESK_FOLDER"), exeFolder, perUserFolder()),
                   exeFolder, error, warnings);
}

QString ProgramFolder::prepare(const Choice& choice, const QString& executableFolder, QString* error,
                               QStringList* warnings) {
    if (!QDir().mkpath(choice.path)) {
        if (error)
            *error = msgText(Msg::ProgramFolderNotCreated)
                         .arg(QDir::toNativeSeparators(choice.path));
        return {};
    }
    const QString dataFolder = shippedDataFolder(executableFolder);
    if (!dataFolder.isEmpty() && QDir(choice.path) != QDir(dataFolder)) {
        const QStringList problems = seed(choice.path, dataFolder);
        if (warnings)
            *warnings << problems;
    }
    return choice.path;
}
