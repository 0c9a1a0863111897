#include "app/BatchCommands.h"
#include "logstore/QsoRecord.h"
#include "TestFolder.h"

#include <QProcess>
#include <QtTest>

class TestBatchCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void normalizeInPlace();
    void binaryExitStatus_data();
    void binaryExitStatus();
};

void TestBatchCommands::parse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("window");
    QTest::addColumn<bool>("usageError");
    QTest::newRow("nothing") << QStringList{} << true << false;
    QTest::newRow("folder") << QStringList{"--folder", "/x"} << true << false;
    QTest::newRow("folder without value") << QStringList{"--folder"} << false << true;
    QTest::newRow("screenshot") << QStringList{"--screenshot", "a.png"} << true << false;
    QTest::newRow("normalize") << QStringList{"normalize", "a.log"} << false << false;
    QTest::newRow("normalize without log") << QStringList{"normalize"} << false << true;
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << false << true;
    QTest::newRow("unknown option") << QStringList{"--frob"} << false << true;
}

void TestBatchCommands::parse() {
    QFETCH(QStringList, args);
    QFETCH(bool, window);
    QFETCH(bool, usageError);
    const CommandLine line = CommandLine::parse(args);
    QCOMPARE(line.startsWindow(), window);
    QCOMPARE(!line.usageError.isEmpty(), usageError);
}

void TestBatchCommands::normalizeInPlace() {
    TestFolder dir;
    dir.writeLog("a.log", {"7;010203;1234;2M;fm;x;;;;;;;100;;;"});
    dir.write("bad.log", crlf({QsoRecord::headerLine(), ";;;;;;;;;;;;;;;;;;"}));
    FakeClock clock;
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    const int status = BatchCommands::normalize({dir.file("a.log"), dir.file("bad.log"), dir.file("none.log")},
                                                clock, out, err);
    QCOMPARE(status, 1);
    QCOMPARE(dir.read("a.log"), crlf({QsoRecord::headerLine(), "1;01.02.2003;12:34:00;2m;FM;X;;;;;;;100W;;;"}));
    QCOMPARE(outText.count(u'\n'), 1);
    QVERIFY(outText.contains(QStringLiteral("a.log")));
    QVERIFY(errText.contains(QStringLiteral("bad.log")));
    QVERIFY(errText.contains(QStringLiteral("Zeile 2")));
    QVERIFY(errText.contains(QStringLiteral("none.log")));
}

void TestBatchCommands::binaryExitStatus_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stdoutHas");
    QTest::newRow("version") << QStringList{"--version"} << 0 << "Vesk 0.8d";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "normalize";
    QTest::newRow("wrong usage") << QStringList{"frobnicate"} << 2 << "";
    QTest::newRow("missing log") << QStringList{"normalize", "/nonexistent/x.log"} << 1 << "";
}

void TestBatchCommands::binaryExitStatus() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, stdoutHas);
    const QString vesk = QCoreApplication::applicationDirPath() + QStringLiteral("/vesk");
    if (!QFileInfo::exists(vesk))
        QSKIP("the vesk program is not built beside the tests");
    QProcess p;
    p.start(vesk, args);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitCode(), status);
    QVERIFY(QString::fromLocal8Bit(p.readAllStandardOutput()).contains(stdoutHas));
    if (status != 0)
        QVERIFY(!p.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestBatchCommands)
#include "test_batchcommands.moc"
