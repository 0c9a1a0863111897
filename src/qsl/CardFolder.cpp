#include "qsl/CardFolder.h"

#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kJpg = QStringLiteral(".jpg");

bool isJpeg(const QString& name) { return name.endsWith(kJpg, Qt::CaseInsensitive); }

// name as it stands after the folder prefix; base in lower case.
bool belongsTo(const QString& name, const QString& base) {
    if (base.isEmpty() || !isJpeg(name) || !name.startsWith(base, Qt::CaseInsensitive))
        return false;
    const qsizetype rest = name.size() - base.size();
    return rest == kJpg.size() || (rest > kJpg.size() && name.at(base.size()) == u'_');
}

// A rename is durable once the folder's entry is; a copy across file
// systems must be on disk before the original goes.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

QByteArray sha1Of(QFile& file) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    return hash.addData(&file) ? hash.result() : QByteArray();
}

} // namespace

CardFolder::CardFolder(const QString& folderPrefix) {
    const qsizetype slash = folderPrefix.lastIndexOf(u'/');
    m_folder = folderPrefix.left(slash + 1);
    m_namePrefix = folderPrefix.mid(slash + 1);
}

QString CardFolder::baseName(const QString& call) { return call.trimmed().toLower().replace(u'/', u'-'); }

QString CardFolder::path(const QString& nameAfterPrefix) const { return m_folder + m_namePrefix + nameAfterPrefix; }

QStringList CardFolder::jpegNames() const {
    const QDir dir(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
    QStringList names;
    // Hidden files are no cards: "._dl1ab.jpg" is what another desktop leaves
    // beside a card on a shared stick, and not a picture.
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (name.startsWith(m_namePrefix, Qt::CaseInsensitive) && isJpeg(name))
            names << name.mid(m_namePrefix.size());
    return names;
}

QStringList CardFolder::cardsOf(const QString& call) const {
    const QString base = baseName(call);
    QStringList cards;
    for (const QString& name : jpegNames())
        if (belongsTo(name, base))
            cards << path(name);
    return cards;
}

bool CardFolder::hasCards(const QString& call) const {
    const QString base = baseName(call);
    if (base.isEmpty())
        return false;
    QDirIterator it(m_folder.isEmpty() ? QStringLiteral(".") : m_folder, QDir::Files);
    while (it.hasNext()) {
        const QString name = it.nextFileInfo().fileName();
        if (name.startsWith(m_namePrefix, Qt::CaseInsensitive) && belongsTo(name.mid(m_namePrefix.size()), base))
            return true;
    }
    return false;
}

QString CardFolder::moveIn(const QString& source, const QString& call) const {
    const auto failure = [&source](const QString& target, const QString& reason) {
        return IoError(QStringLiteral("ERROR (") + source + QStringLiteral(" --> ") + target + QStringLiteral(": ") +
                       reason);
    };
    const QString base = baseName(call);
    if (base.isEmpty())
        throw failure(path(QString()), msgText(Msg::CardNeedsCall));

    // Names that differ in letter case only count as taken: the folder may
    // be shared with a desktop that does not tell them apart.
    QSet<QString> taken;
    const QDir dir(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        taken.insert(name.toLower());

    QString target;
    int claim = -1;
    for (int n = 0; claim < 0; ++n) {
        const QString name = m_namePrefix + base + (n == 0 ? QString() : u'_' + QString::number(n)) + kJpg;
        if (taken.contains(name.toLower()))
            continue;
        target = m_folder + name;
        claim = ::open(QFile::encodeName(target).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (claim < 0 && errno != EEXIST)
            throw failure(target, qt_error_string(errno));
    }
    const QByteArray to = QFile::encodeName(target);
    const auto giveUp = [&](const QString& reason) {
        ::close(claim);
        ::unlink(to.constData());
        return failure(target, reason);
    };

    // rename() replaces the claimed empty file in one step.
    if (std::rename(QFile::encodeName(source).constData(), to.constData()) == 0) {
        ::close(claim);
        return target;
    }
    if (errno != EXDEV)
        throw giveUp(qt_error_string(errno));

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw giveUp(in.errorString());
    QCryptographicHash written(QCryptographicHash::Sha1);
    qint64 size = 0;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            throw giveUp(in.errorString());
        written.addData(chunk);
        size += chunk.size();
        for (qsizetype done = 0; done < chunk.size();) {
            const ssize_t n = ::write(claim, chunk.constData() + done, static_cast<size_t>(chunk.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw giveUp(qt_error_string(errno));
            done += n;
        }
    }
    if (::fsync(claim) != 0)
        throw giveUp(qt_error_string(errno));
    QFile back(target);
    if (!back.open(QIODevice::ReadOnly))
        throw giveUp(back.errorString());
    if (back.size() != size || sha1Of(back) != written.result())
        throw giveUp(msgText(Msg::CardCopyDiffers).arg(size).arg(back.size()));
    ::close(claim);
    syncFolder(dir.path());

    if (!in.remove())
        throw failure(target, msgText(Msg::CardOriginalKept).arg(in.errorString()));
    return target;
}

QVector<CardFolder::Card> CardFolder::allCards() const {
    QVector<Card> cards;
    for (const QString& name : jpegNames()) {
        const QString stem = name.left(name.size() - kJpg.size());
        QString text = stem;
        const qsizetype underscore = text.indexOf(u'_');
        if (underscore >= 0)
            text.replace(underscore, 1, QStringLiteral(":  "));
        text = text.replace(u'-', u'/').toUpper();
        QString call = stem.left(underscore < 0 ? stem.size() : underscore).replace(u'-', u'/').toUpper();
        cards.push_back({path(name), call, text});
    }
    return cards;
}

QString CardFolder::viewerCaption(const QString& file) {
    const QString name = QFileInfo(file).fileName();
    const qsizetype underscore = name.indexOf(u'_');
    if (underscore < 0)
        return QStringLiteral("QSL");
    const qsizetype length = qMax<qsizetype>(0, name.size() - 4 - (underscore + 1));
    return QStringLiteral("QSL \"") + name.mid(underscore + 1, length) + u'"';
}
