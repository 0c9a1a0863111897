#include "SampleLog.h"
#include "logstore/Codepage.h"
#include "logstore/DateText.h"
#include "logstore/LogFile.h"
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace SampleLog {

QList<QsoRecord> make(int count, unsigned seed) {
    QRandomGenerator rng(seed);
    auto pick = [&](const QStringList& list) { return list[int(rng.bounded(quint32(list.size())))]; };
    auto chance = [&](int percent) { return int(rng.bounded(100u)) < percent; };
    const QStringList comments = {"Tnx fer QSO", "über Bake", "a < b & \"c\"", "QRM", "Erstes QSO", "<b>fett</b>"};
    QList<QsoRecord> records;
    for (int n = 1; n <= count; ++n) {
        QsoRecord r;
        const QDate date = QDate(1990, 1, 1).addDays(qint64(rng.bounded(13000u)));
        r[QsoRecord::Number] = QString::number(n);
        r[QsoRecord::Date] = DateText::formatDate(date);
        r[QsoRecord::Utc] = DateText::formatTime(QTime(0, 0).addSecs(int(rng.bounded(86400u))));
        r[QsoRecord::Band] = pick({"2m", "70cm", "20m", "40m", "80m", "160m", "6m", "23cm", "13cm"});
        r[QsoRecord::Mode] = pick({"SSB", "CW", "FM", "RTTY", "FT8", "PSK", "PACTOR", "SSTV"});
        r[QsoRecord::Call] = pick({"DL1ABC", "DK2XY", "OE3Q", "F5ZZZ", "G4ABC", "W1AW"});
        r[QsoRecord::Call] += chance(20) ? QStringLiteral("/P") : QString();
        r[QsoRecord::RstTx] = chance(90) ? pick({"59", "599", "57", "59 001"}) : QString();
        r[QsoRecord::RstRx] = chance(90) ? pick({"59", "599", "55", "599 123"}) : QString();
        r[QsoRecord::Dok] = chance(40) ? pick({"B36", "A01", "Z99", "P12"}) : QString();
        r[QsoRecord::Name] = chance(70) ? pick({"Jürgen", "Ösi", "Hans-Peter", "Müller & Söhne"}) : QString();
        r[QsoRecord::Qth] = chance(60) ? pick({"München", "Köln", "Straße 5", "Paris"}) : QString();
        r[QsoRecord::Locator] = chance(60) ? pick({"JO30AB", "JN58TD", "IO91WM"}) : QString();
        r[QsoRecord::TxPwr] = pick({"100W", "5W", "0,5W", "750W", "1W", "0,005W", "1000W"});
        const QString more = chance(40) ? "\n" + pick(comments) + (chance(50) ? "\nvy 73" : "") : QString();
        r[QsoRecord::Comments] = chance(60) ? pick(comments) + more : QString();
        r[QsoRecord::QslOut] = chance(30) ? pick({"01.01.1901", DateText::formatDate(date.addDays(5))}) : QString();
        r[QsoRecord::QslIn] = chance(20) ? pick({"01.01.1901", DateText::formatDate(date.addDays(40))}) : QString();
        records << r;
    }
    return records;
}

void write(const QString& path, const QList<QsoRecord>& records) {
    QByteArray bytes = Codepage::encode(QsoRecord::headerLine()) + "\r\n";
    for (const QsoRecord& r : records)
        Codepage::encodeAppend(r.encodeLine() + QStringLiteral("\r\n"), bytes);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QList<QsoRecord> read(const QString& path) {
    QList<QsoRecord> records;
    LogFile log(path);
    log.OpenForRead();
    for (QsoRecord r; log.ReadNext(r);)
        records << r;
    log.CloseFile();
    return records;
}

QStringList lines(const QString& path) {
    QStringList lines;
    for (const QsoRecord& r : read(path))
        lines << r.encodeLine();
    return lines;
}

} // namespace SampleLog
