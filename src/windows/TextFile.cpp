#include "windows/TextFile.h"

#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace TextFile {

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = Codepage::decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

QByteArray encode(const QString& text) {
    if (text.isEmpty())
        return {};
    QString lines = text;
    lines.replace(u'\n', QStringLiteral("\r\n"));
    lines += QStringLiteral("\r\n");
    return Codepage::encode(lines);
}

QString read(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw IoError(msgText(Msg::FileNotReadable)
                          .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return decode(bytes);
}

void write(const QString& path, const QString& text) {
    AtomicFile file(path);
    file.open();
    file.write(encode(text));
    file.commit();
}

} // namespace TextFile
