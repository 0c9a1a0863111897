#pragma once

#include "platform/Clock.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh, empty program folder for one test.
class TestFolder {
public:
    TestFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

    // Copies the shipped language files and their supplements beside the
    // test binary into the folder, as the program folder of an installation
    // has them.
    void installLanguageFiles() const;
    // The same for any other shipped file ("DXCC.csv", "DOK.ini" ...).
    void installDataFile(const QString& name) const;

    // A log with the header line and the given record lines (CR LF added).
    void writeLog(const QString& name, const QStringList& lines) const;
    // The folder a widget test starts the program on: language files, the log
    // "2026.log" with these records opened last, and settings appended to the
    // [Allgemein] section (they may open further sections).
    void prepareProgram(const QStringList& records, const QByteArray& settings = {}) const;
    // The record lines of a log, without header and final line end.
    QStringList logLines(const QString& name = QStringLiteral("2026.log")) const;

private:
    QTemporaryDir m_dir;
};

// A clock that stands where the test puts it.
class FakeClock : public Clock {
public:
    QDateTime now = QDateTime(QDate(2026, 12, 6), QTime(18, 30, 15));
    QDateTime localNow() const override { return now; }
    QDateTime utcNow() const override { return now.toUTC(); }
    qint64 msecsSinceStart() const override { return 123456; }
};

// CR LF joined lines, as the program writes its files.
QByteArray crlf(const QStringList& lines);
