#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "TestFolder.h"

#include <QDir>
#include <QtTest>
#include <stdexcept>
#include <sys/stat.h>

namespace {

// Lines no rewrite through QsoRecord would leave as they are: a short line, Windows-1252 bytes
// (one unassigned), a blank inside, too many separators, a last line without CR LF.
const QList<QByteArray> kLines = {
    "1;01.02.2003;12:00:00;2m;FM;A1A;59;59;;J\xfcrgen;K\xf6ln;;10W;\x80 \x81;;",
    "2;01.02.2003;12:01:00;2m;FM;B2B",
    "3;01.02.2003;12:02:00;2m;FM;C3C;59;59;;;;;10W;a#13#10b ;;",
    "4;01.02.2003;12:03:00;2m;FM;D4D;59;59;;;;;10W;;;;too;many",
    "5;01.02.2003;12:04:00;2m;FM;E5E;59;59;;;;;10W;;;",
};

QByteArray logBytes(bool finalLineEnd) {
    return QsoRecord::headerLine().toLatin1() + "\r\n" + kLines.join("\r\n") + (finalLineEnd ? "\r\n" : "");
}

// A rewrite replaces the log by a renamed file, so the log is a new file.
ino_t inode(const QString& fileName) {
    struct stat st {};
    return ::stat(QFile::encodeName(fileName).constData(), &st) == 0 ? st.st_ino : 0;
}

const auto setName = [](int, QsoRecord& r) { r[QsoRecord::Name] = QStringLiteral("Müller"); };

} // namespace

class TestSetRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void changesOnlyChosenRecords();
    void failureLeavesFile_data();
    void failureLeavesFile();
};

// Nothing found: the log is not even rewritten with the same bytes. Chosen: the first, the short
// line, the last (without CR LF) and numbers beyond the end. The change sees each record with its
// number, in file order whatever order the set has; the other lines stay byte for byte.
void TestSetRecords::changesOnlyChosenRecords() {
    TestFolder dir;
    dir.write("a.log", logBytes(false));
    const ino_t file = inode(dir.file("a.log"));
    LogFile log(dir.file("a.log"));
    QCOMPARE(log.SetRecords({0, -1, 6}, [&](int, QsoRecord&) { QFAIL("nothing to change"); }), 0);
    QVERIFY(dir.read("a.log") == logBytes(false) && inode(dir.file("a.log")) == file);
    QStringList seen; // the number given = the number in the record
    QCOMPARE(log.SetRecords({99, 5, 2, 1, 6}, [&](int number, QsoRecord& r) {
        seen << QString::number(number) + '=' + r[QsoRecord::Number];
        setName(number, r);
    }), 3);
    QCOMPARE(seen, (QStringList{"1=1", "2=2", "5=5"}));
    QCOMPARE(dir.read("a.log"), QsoRecord::headerLine().toLatin1() + "\r\n"
                                    "1;01.02.2003;12:00:00;2m;FM;A1A;59;59;;M\xfcller;K\xf6ln;;10W;\x80 \x81;;\r\n"
                                    "2;01.02.2003;12:01:00;2m;FM;B2B;;;;M\xfcller;;;;;;\r\n" +
                                    kLines[2] + "\r\n" + kLines[3] +
                                    "\r\n5;01.02.2003;12:04:00;2m;FM;E5E;59;59;;M\xfcller;;;10W;;;\r\n");
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.log"});
}

// A failure leaves the log byte for byte, no file beside it, and the log
// object usable.
void TestSetRecords::failureLeavesFile_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("messageHas");
    QTest::newRow("rename fails") << "commit" << "a.log";
    QTest::newRow("chosen line has too many separators") << "broken" << "a.log\", Zeile 5";
    QTest::newRow("change throws") << "throw" << "stop";
    QTest::newRow("log missing") << "missing" << "gone.log";
}

void TestSetRecords::failureLeavesFile() {
    QFETCH(QString, how);
    QFETCH(QString, messageHas);
    TestFolder dir;
    dir.write("a.log", logBytes(true));
    LogFile log(dir.file(how == u"missing" ? "gone.log" : "a.log"));
    if (how == u"commit")
        AtomicFile::failNextCommitForTesting();
    QString message;
    try {
        log.SetRecords(how == u"broken" ? QSet<int>{1, 4} : QSet<int>{1, 5}, [&](int number, QsoRecord& r) {
            if (how == u"throw" && number == 5)
                throw std::runtime_error("stop");
            setName(number, r);
        });
    } catch (const IoError& e) {
        message = e.message();
    } catch (const std::runtime_error& e) {
        message = QString::fromLatin1(e.what());
    }
    QVERIFY2(message.contains(messageHas), qPrintable(message));
    QCOMPARE(dir.read("a.log"), logBytes(true));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.log"});
    if (how != u"missing") {
        QCOMPARE(log.SetRecords({2}, setName), 1);
        QVERIFY(dir.read("a.log").contains(";M\xfcller;"));
    }
}

QTEST_GUILESS_MAIN(TestSetRecords)
#include "test_setrecords.moc"
