#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QReadWriteLock>
#include <QStringDecoder>

#include <array>

namespace {

constexpr std::array<const char*, ProgramTexts::Count> kKeys = {
#define VESK_PROGRAM_TEXT_KEY(name) #name,
    VESK_PROGRAM_TEXTS(VESK_PROGRAM_TEXT_KEY)
#undef VESK_PROGRAM_TEXT_KEY
};

using Table = std::array<QString, ProgramTexts::Count>;

// Rules classes may build messages on a worker thread while the language is
// switched, so the table is read under a lock.
QReadWriteLock& tableLock() {
    static QReadWriteLock lock;
    return lock;
}

Table& currentTable();

// A supplement that fails is reported in German, as German is what applies
// once it has failed.
QString germanText(Msg id) {
    const QString key = QString::fromLatin1(kKeys[static_cast<std::size_t>(id)]);
    return ProgramTexts::builtInGerman().value(key, key);
}

QString nativePath(const QString& path) { return QDir::toNativeSeparators(path); }

// QtCore's own decoder keeps this file free of the other folders, which all
// build messages from it.
QString decode(const QByteArray& bytes) {
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? QString(windows1252(bytes)) : QString::fromLatin1(bytes);
}

// Stops at the first line that is no key=text and gives its number in badLine.
QHash<QString, QString> parse(const QByteArray& bytes, int* badLine) {
    QHash<QString, QString> texts;
    qsizetype start = 0;
    int lineNumber = 0;
    while (start < bytes.size()) {
        ++lineNumber;
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        const QString line = decode(bytes.mid(start, stop - start));
        start = next;
        if (line.trimmed().isEmpty())
            continue;
        const qsizetype eq = line.indexOf(u'=');
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed();
        if (key.isEmpty()) {
            *badLine = lineNumber;
            return texts;
        }
        QString text = line.mid(eq + 1);
        text.replace(QLatin1String("#13#10"), QLatin1String("\n"));
        texts.insert(key, text);
    }
    return texts;
}

Table tableOf(const QHash<QString, QString>& texts) {
    const QHash<QString, QString>& german = ProgramTexts::builtInGerman();
    Table table;
    for (int i = 0; i < ProgramTexts::Count; ++i) {
        const QString key = QString::fromLatin1(kKeys[static_cast<std::size_t>(i)]);
        const auto own = texts.constFind(key);
        // A text the build forgot still shows where it is missing.
        table[static_cast<std::size_t>(i)] =
            own != texts.constEnd() ? *own : german.value(key, QLatin1Char('[') + key + QLatin1Char(']'));
    }
    return table;
}

Table& currentTable() {
    static Table table = tableOf(ProgramTexts::builtInGerman());
    return table;
}

} // namespace

const char* ProgramTexts::key(Msg id) { return kKeys[static_cast<std::size_t>(id)]; }

std::optional<Msg> ProgramTexts::idOf(const QString& key) {
    for (int i = 0; i < Count; ++i) {
        if (key == QLatin1String(kKeys[static_cast<std::size_t>(i)]))
            return static_cast<Msg>(i);
    }
    return std::nullopt;
}

QString ProgramTexts::text(Msg id) {
    Table& table = currentTable();
    QReadLocker lock(&tableLock());
    return table[static_cast<std::size_t>(id)];
}

QString ProgramTexts::supplementPath(const QString& languageFile) {
    const QFileInfo info(languageFile);
    return QDir(info.path()).filePath(info.completeBaseName() + QStringLiteral(".msg"));
}

QHash<QString, QString> ProgramTexts::read(const QString& path, QString* error) {
    error->clear();
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        *error = germanText(Msg::SupplementUnreadable).arg(nativePath(path), file.errorString());
        return {};
    }
    int badLine = 0;
    QHash<QString, QString> texts = parse(bytes, &badLine);
    if (badLine > 0) {
        *error = germanText(Msg::SupplementBadLine).arg(nativePath(path)).arg(badLine);
        return {};
    }
    return texts;
}

const QHash<QString, QString>& ProgramTexts::builtInGerman() {
    static const QHash<QString, QString> texts = [] {
        QFile file(QStringLiteral(":/vesk/deutsch.msg"));
        int badLine = 0;
        return file.open(QIODevice::ReadOnly) ? parse(file.readAll(), &badLine) : QHash<QString, QString>();
    }();
    return texts;
}

ProgramTextsNotifier* ProgramTexts::notifier() {
    static ProgramTextsNotifier notifier;
    return &notifier;
}

void ProgramTexts::setCurrent(const QHash<QString, QString>& texts) {
    Table table = tableOf(texts);
    Table& current = currentTable();
    {
        QWriteLocker lock(&tableLock());
        current.swap(table);
    }
    Q_EMIT notifier()->changed();
}

void ProgramTexts::useBuiltInGerman() { setCurrent(builtInGerman()); }

QString ProgramTexts::loadFor(const QString& languageFile) {
    const QString path = supplementPath(languageFile);
    if (!QFileInfo::exists(path)) {
        useBuiltInGerman();
        return {};
    }
    QString error;
    const QHash<QString, QString> texts = read(path, &error);
    setCurrent(texts); // nothing read means German throughout
    return error;
}
