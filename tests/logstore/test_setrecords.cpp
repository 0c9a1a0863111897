#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "TestFolder.h"

#include <QDir>
#include <QtTest>

#include <stdexcept>
#include <sys/stat.h>

namespace {

// Lines no rewrite through QsoRecord would leave as they are: a short line,
// Windows-1252 bytes (one of them unassigned), a blank inside, a line with
// too many separators, and a last line without CR LF.
const QByteArray kHeader =
    "#;Date;UTC;Band;Mode;Call;RST TX;RST RX;DOK;Name;QTH;Locator;TX Pwr;Comments;QSL out;QSL in";
const QByteArray kLines[] = {
    "1;01.02.2003;12:00:00;2m;FM;A1A;59;59;;J\xfcrgen;K\xf6ln;;10W;\x80 \x81;;",
    "2;01.02.2003;12:01:00;2m;FM;B2B",
    "3;01.02.2003;12:02:00;2m;FM;C3C;59;59;;;;;10W;a#13#10b ;;",
    "4;01.02.2003;12:03:00;2m;FM;D4D;59;59;;;;;10W;;;;too;many",
    "5;01.02.2003;12:04:00;2m;FM;E5E;59;59;;;;;10W;;;",
};

QByteArray logBytes(const QList<QByteArray>& lines, bool finalLineEnd) {
    QByteArray out = kHeader;
    for (const QByteArray& l : lines)
        out += "\r\n" + l;
    return finalLineEnd ? out + "\r\n" : out;
}

QList<QByteArray> fixture() {
    return {std::begin(kLines), std::end(kLines)};
}

// A rewrite replaces the log by a renamed file, so the log is a new file.
ino_t inode(const QString& fileName) {
    struct stat st {};
    return ::stat(QFile::encodeName(fileName).constData(), &st) == 0 ? st.st_ino : 0;
}

void setName(int, QsoRecord& r) {
    r[QsoRecord::Name] = QStringLiteral("Müller");
}

} // namespace

class TestSetRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void changesOnlyChosenRecords_data();
    void changesOnlyChosenRecords();
    void changeSeesItsNumberAndRecord();
    void nothingFoundLeavesFile();
    void failureLeavesFile_data();
    void failureLeavesFile();
};

void TestSetRecords::changesOnlyChosenRecords_data() {
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("found");
    QTest::addColumn<bool>("finalLineEnd");
    QTest::newRow("short line") << QList<int>{2} << 1 << true;
    QTest::newRow("first and last") << QList<int>{1, 5} << 2 << true;
    QTest::newRow("some beyond the end") << QList<int>{3, 6, 99} << 1 << true;
    QTest::newRow("last without line end") << QList<int>{5} << 1 << false;
}

void TestSetRecords::changesOnlyChosenRecords() {
    QFETCH(QList<int>, numbers);
    QFETCH(int, found);
    QFETCH(bool, finalLineEnd);
    TestFolder dir;
    dir.write("a.log", logBytes(fixture(), finalLineEnd));
    LogFile log(dir.file("a.log"));
    const QSet<int> chosen(numbers.begin(), numbers.end());
    QCOMPARE(log.SetRecords(chosen, setName), found);

    const QList<QByteArray> after = dir.read("a.log").split('\n');
    QCOMPARE(after.size(), 7); // header, five records, nothing after the last CR LF
    QVERIFY(after.last().isEmpty() && after.first() == kHeader + '\r');
    for (int n = 1; n <= 5; ++n) {
        const QByteArray line = after[n];
        QVERIFY2(line.endsWith('\r'), line.constData());
        if (!chosen.contains(n)) {
            QCOMPARE(line.chopped(1), kLines[n - 1]);
            continue;
        }
        QsoRecord expected;
        QVERIFY(QsoRecord::decodeLine(Codepage::decode(kLines[n - 1]), expected));
        expected[QsoRecord::Name] = QStringLiteral("Müller");
        QsoRecord written;
        QVERIFY(log.ReadRecord(written, n));
        QCOMPARE(written, expected);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.log"});
}

void TestSetRecords::changeSeesItsNumberAndRecord() {
    TestFolder dir;
    dir.write("a.log", logBytes(fixture(), true));
    LogFile log(dir.file("a.log"));
    QList<int> seen;
    QCOMPARE(log.SetRecords({5, 1, 3},
                            [&](int number, QsoRecord& r) {
                                seen << number;
                                QCOMPARE(r[QsoRecord::Number], QString::number(number));
                                r[QsoRecord::Comments] += QStringLiteral("\nneu");
                            }),
             3);
    QCOMPARE(seen, (QList<int>{1, 3, 5})); // in file order, whatever order the set has
    QVERIFY(dir.read("a.log").contains("a#13#10b #13#10neu;;\r\n"));
}

void TestSetRecords::nothingFoundLeavesFile() {
    const QList<int> numbers = {0, -1, 6};
    TestFolder dir;
    const QByteArray before = logBytes(fixture(), false);
    dir.write("a.log", before);
    const ino_t file = inode(dir.file("a.log"));
    LogFile log(dir.file("a.log"));
    bool called = false;
    QCOMPARE(log.SetRecords(QSet<int>(numbers.begin(), numbers.end()), [&](int, QsoRecord&) { called = true; }), 0);
    QVERIFY(!called);
    QCOMPARE(dir.read("a.log"), before);
    QCOMPARE(inode(dir.file("a.log")), file); // not even rewritten with the same bytes
}

void TestSetRecords::failureLeavesFile_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("rename fails") << "commit";
    QTest::newRow("chosen line has too many separators") << "broken";
    QTest::newRow("change throws") << "throw";
    QTest::newRow("log missing") << "missing";
}

void TestSetRecords::failureLeavesFile() {
    QFETCH(QString, how);
    TestFolder dir;
    const QByteArray before = logBytes(fixture(), true);
    dir.write("a.log", before);
    LogFile log(dir.file(how == QLatin1String("missing") ? "gone.log" : "a.log"));
    if (how == QLatin1String("commit")) AtomicFile::failNextCommitForTesting();
    const QSet<int> numbers = how == QLatin1String("broken") ? QSet<int>{1, 4} : QSet<int>{1, 5};
    auto change = [&](int number, QsoRecord& r) {
        if (how == QLatin1String("throw") && number == 5) throw std::runtime_error("stop");
        setName(number, r);
    };
    try {
        log.SetRecords(numbers, change);
        QFAIL("the rewrite must fail");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains(how == QLatin1String("missing") ? "gone.log" : "a.log"),
                 qPrintable(e.message()));
        if (how == QLatin1String("broken"))
            QVERIFY2(e.message().contains(QStringLiteral("Zeile 5")), qPrintable(e.message()));
    } catch (const std::runtime_error&) {
        QCOMPARE(how, QStringLiteral("throw"));
    }
    QCOMPARE(dir.read("a.log"), before);
    QVERIFY(!QFile::exists(dir.file("gone.log")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.log"});
    // The log object is usable again afterwards.
    if (how != QLatin1String("missing")) {
        QCOMPARE(log.SetRecords({2}, setName), 1);
        QVERIFY(dir.read("a.log").contains(";M\xfcller;"));
    }
}

QTEST_GUILESS_MAIN(TestSetRecords)
#include "test_setrecords.moc"
