#include "FuzzSupport.h"

#include "logstore/Codepage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace FuzzSupport {

void start() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "vesk-fuzz";
    static char* argv[] = {name, nullptr};
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    new QCoreApplication(argc, argv);
}

QString folder() {
    // In memory where the system offers it: a file is written for every input.
    static QTemporaryDir dir((QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
                             + QStringLiteral("/vesk-fuzz-XXXXXX"));
    if (!dir.isValid())
        qFatal("no temporary folder");
    return dir.path();
}

QString writeFile(const QString& name, const std::uint8_t* data, std::size_t size) {
    const QString path = folder() + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the input file");
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

QStringList lines(const std::uint8_t* data, std::size_t size) {
    return Codepage::decode(bytes(data, size)).split(u'\n');
}

QString text(const std::uint8_t* data, std::size_t size) {
    const QByteArray in = bytes(data, size);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(in);
    return utf8.hasError() ? Codepage::decode(in) : decoded;
}

} // namespace FuzzSupport
