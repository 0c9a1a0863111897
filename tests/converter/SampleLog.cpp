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
    const QStringList names = {"Jürgen",     "Günter", "Jörg", "Ösi",
                               "Hans-Peter", "Ärmel",  "Ulf",  "Müller & Söhne"};
    const QStringList qths = {"München", "Köln", "Düsseldorf", "Straße 5", "Zürich", "Bad Kötzting", "Paris"};
    const QStringList comments = {"Tnx fer QSO", "über Bake",  "a < b & \"c\"",
                                  "QRM",         "Erstes QSO", "<b>fett</b>"};
    const QStringList bands = {"2m", "70cm", "20m", "40m", "80m", "160m", "6m", "23cm", "13cm"};
    const QStringList modes = {"SSB", "CW", "FM", "RTTY", "FT8", "PSK", "PACTOR", "SSTV"};
    const QStringList powers = {"100W", "5W", "0,5W", "750W", "1W", "0,005W", "1000W"};
    const QDate first(1990, 1, 1);

    QList<QsoRecord> records;
    records.reserve(count);
    for (int n = 1; n <= count; ++n) {
        QsoRecord r;
        const QDate date = first.addDays(qint64(rng.bounded(13000u)));
        r[QsoRecord::Number] = QString::number(n);
        r[QsoRecord::Date] = DateText::formatDate(date);
        r[QsoRecord::Utc] = DateText::formatTime(QTime(0, 0).addSecs(int(rng.bounded(86400u))));
        r[QsoRecord::Band] = pick(bands);
        r[QsoRecord::Mode] = pick(modes);
        r[QsoRecord::Call] = QStringLiteral("%1%2%3")
                                 .arg(pick({"DL", "DK", "OE", "F", "G", "W"}))
                                 .arg(rng.bounded(10u))
                                 .arg(pick({"ABC", "XY", "Q", "ZZZ"}));
        if (chance(20))
            r[QsoRecord::Call] += QStringLiteral("/P");
        r[QsoRecord::RstTx] = chance(90) ? pick({"59", "599", "57", "59 001"}) : QString();
        r[QsoRecord::RstRx] = chance(90) ? pick({"59", "599", "55", "599 123"}) : QString();
        if (chance(40))
            r[QsoRecord::Dok] = QStringLiteral("%1%2")
                                    .arg(QChar(u'A' + int(rng.bounded(26u))))
                                    .arg(rng.bounded(100u), 2, 10, QChar(u'0'));
        if (chance(70))
            r[QsoRecord::Name] = pick(names);
        if (chance(60))
            r[QsoRecord::Qth] = pick(qths);
        if (chance(60))
            r[QsoRecord::Locator] = QStringLiteral("JO%1%2AB").arg(rng.bounded(10u)).arg(rng.bounded(10u));
        r[QsoRecord::TxPwr] = pick(powers);
        const int kind = int(rng.bounded(10u));
        if (kind >= 4 && kind < 8)
            r[QsoRecord::Comments] = pick(comments);
        else if (kind >= 8)
            r[QsoRecord::Comments] =
                pick(comments) + u'\n' + pick(comments) + (kind == 9 ? QStringLiteral("\nvy 73") : QString());
        if (chance(30))
            r[QsoRecord::QslOut] =
                chance(30) ? QStringLiteral("01.01.1901") : DateText::formatDate(date.addDays(5));
        if (chance(20))
            r[QsoRecord::QslIn] =
                chance(30) ? QStringLiteral("01.01.1901") : DateText::formatDate(date.addDays(40));
        records << r;
    }
    return records;
}

void write(const QString& path, const QList<QsoRecord>& records) {
    QByteArray bytes = Codepage::encode(QsoRecord::headerLine()) + "\r\n";
    for (const QsoRecord& r : records) {
        Codepage::encodeAppend(r.encodeLine(), bytes);
        bytes += "\r\n";
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QList<QsoRecord> read(const QString& path) {
    QList<QsoRecord> records;
    LogFile log(path);
    log.OpenForRead();
    QsoRecord r;
    while (log.ReadNext(r))
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
