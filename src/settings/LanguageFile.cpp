#include "settings/LanguageFile.h"

#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "settings/LanguageTargets.h"
#include "settings/LanguageTexts.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>

namespace {

QStringList parse(const QByteArray& bytes) {
    QStringList lines;
    lines.reserve(LanguageTargets::LineCount);
    qsizetype start = 0;
    while (lines.size() < LanguageTargets::LineCount && start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        // A file saved with bare LF line ends reads the same as one with CR LF.
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        QString text = Codepage::decode(bytes.constData() + start, stop - start);
        text.replace(QLatin1String("#13#10"), QLatin1String("\n"));
        lines << text;
        start = next;
    }
    while (lines.size() < LanguageTargets::LineCount)
        lines << QString();
    return lines;
}

} // namespace

QStringList LanguageFile::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw IoError(msgText(Msg::LanguageFileUnreadable)
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw IoError(msgText(Msg::LanguageFileUnreadable)
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return parse(bytes);
}

QStringList LanguageFile::builtInGerman() {
    static const QStringList lines = [] {
        QFile file(QStringLiteral(":/vesk/deutsch.lng"));
        return parse(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }();
    return lines;
}

void LanguageFile::fillTexts(const QStringList& lines, LanguageTexts& texts) {
    for (int i = 0; i < LanguageTexts::Count; ++i) {
        const int line = LanguageTargets::lineOfMessage(i);
        texts.set(i, line > 0 && line <= lines.size() ? lines[line - 1] : QString());
    }
}
