#include "TestFolder.h"

#include "logstore/Codepage.h"
#include "logstore/QsoRecord.h"

#include <QCoreApplication>
#include <QFile>
#include <QtTest>

TestFolder::TestFolder() { QVERIFY2(m_dir.isValid(), "no temporary folder"); }

void TestFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray TestFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestFolder::installLanguageFiles() const {
    installDataFile(QStringLiteral("deutsch.lng"));
    installDataFile(QStringLiteral("english.lng"));
    installDataFile(QStringLiteral("deutsch.msg"));
    installDataFile(QStringLiteral("english.msg"));
}

void TestFolder::installDataFile(const QString& name) const {
    const QString source = QCoreApplication::applicationDirPath() + u'/' + name;
    QVERIFY2(QFile::copy(source, file(name)), qPrintable(source));
}

QByteArray crlf(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines)
        out += Codepage::encode(l) + "\r\n";
    return out;
}

void TestFolder::writeLog(const QString& name, const QStringList& lines) const {
    write(name, crlf(QStringList{QsoRecord::headerLine()} + lines));
}

void TestFolder::prepareProgram(const QStringList& records, const QByteArray& settings) const {
    installLanguageFiles();
    writeLog(QStringLiteral("2026.log"), records);
    write(QStringLiteral("Vesk.ini"), "[Allgemein]\r\nLastLogFileName=2026.log\r\n" + settings);
}

QStringList TestFolder::logLines(const QString& name) const {
    QStringList lines = QString::fromLatin1(read(name)).split(QStringLiteral("\r\n"));
    lines.removeFirst(); // header
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
