#include "logstore/IoError.h"
#include "settings/Settings.h"
#include "TestFolder.h"

#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileGivesDefaults();
    void namesIgnoreCase();
    void typedReads_data();
    void typedReads();
    void writeOrderAndFormat();
    void multiLine();
    void floatsRoundTrip_data();
    void floatsRoundTrip();
    void unreadableFileIsNotOverwritten();
    void saveIntoMissingFolderFails();
};

void TestSettings::missingFileGivesDefaults() {
    TestFolder dir;
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QCOMPARE(s.readString("Allgemein", "EigenesCall", "Q0ABC"), QStringLiteral("Q0ABC"));
    QVERIFY(s.readBool("Clock", "UTC", true) && s.readFloat("Allgemein", "SunZenith", 90.8333) == 90.8333);
    // Reading never adds a key that saving would then write.
    QVERIFY(s.sections().isEmpty() && !s.contains("Allgemein", "EigenesCall"));
}

void TestSettings::namesIgnoreCase() {
    TestFolder dir;
    dir.write("Vesk.ini", "[allgemein]\r\nEIGENESCALL=DL1ABC\r\n  ; a comment\r\n[Positionen]\r\n"
                          "MainForm.Top = 12 \r\n");
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QCOMPARE(s.readString("Allgemein", "EigenesCall"), QStringLiteral("DL1ABC"));
    QCOMPARE(s.readInteger("POSITIONEN", "mainform.top", 0), 12);
    s.writeString("ALLGEMEIN", "eigenescall", "DK2XY");
    QCOMPARE(s.sections(), (QStringList{"allgemein", "Positionen"}));
    QCOMPARE(s.keys("Allgemein"), QStringList{"EIGENESCALL"});
    QCOMPARE(s.readString("Allgemein", "EigenesCall"), QStringLiteral("DK2XY"));
}

void TestSettings::typedReads_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("integer");
    QTest::addColumn<bool>("boolean");
    QTest::addColumn<double>("real");
    // Defaults used below: integer 7, boolean false, real 2.5.
    QTest::newRow("decimal") << "42" << 42 << true << 42.0;
    QTest::newRow("hex") << "0x1F" << 31 << true << 2.5;
    QTest::newRow("negative") << "-3" << -3 << true << -3.0;
    QTest::newRow("german comma") << "-1,5" << 7 << false << -1.5;
    QTest::newRow("point") << "0.25" << 7 << false << 0.25;
    QTest::newRow("text") << "abc" << 7 << false << 2.5;
}

void TestSettings::typedReads() {
    QFETCH(QString, value);
    QFETCH(int, integer);
    QFETCH(bool, boolean);
    QFETCH(double, real);
    Settings s;
    s.writeString("S", "K", value);
    QCOMPARE(s.readInteger("S", "K", 7), integer);
    QCOMPARE(s.readBool("S", "K", false), boolean);
    QCOMPARE(s.readFloat("S", "K", 2.5), real);
}

void TestSettings::writeOrderAndFormat() {
    TestFolder dir;
    Settings s(dir.file("Vesk.ini"));
    s.writeString("Allgemein", "UserMemo", "a");
    s.writeInteger("Positionen", "MainForm.Top", 10);
    s.writeBool("Allgemein", "UtcDiffAuto", false);
    s.writeFloat("Allgemein", "UtcDiff", -1.5);
    s.save();
    QCOMPARE(dir.read("Vesk.ini"), QByteArray("[Allgemein]\r\nUserMemo=a\r\nUtcDiffAuto=0\r\nUtcDiff=-1,5\r\n\r\n"
                                              "[Positionen]\r\nMainForm.Top=10\r\n\r\n"));
    Settings back(dir.file("Vesk.ini"));
    QVERIFY(back.load());
    QCOMPARE(back.serialize(), dir.read("Vesk.ini"));
}

void TestSettings::multiLine() {
    QCOMPARE(Settings::encodeMultiLine("a\r\nb"), QStringLiteral("a#13#10b"));
    QCOMPARE(Settings::decodeMultiLine("a#13#10b"), QStringLiteral("a\nb"));
    Settings s;
    s.writeString("S", "K", "x\ny"); // a raw break would start a bogus key line
    QCOMPARE(s.serialize(), QByteArray("[S]\r\nK=x y\r\n\r\n"));
}

void TestSettings::floatsRoundTrip_data() {
    QTest::addColumn<double>("value");
    QTest::newRow("zenith") << 90.8333;
    QTest::newRow("small") << 0.005;
    QTest::newRow("negative") << -12.75;
}

void TestSettings::floatsRoundTrip() {
    QFETCH(double, value);
    Settings s;
    s.writeFloat("S", "F", value);
    const QString text = s.readString("S", "F");
    QVERIFY2(!text.contains(u'.') && !text.contains(u'E'), qPrintable(text));
    QCOMPARE(s.readFloat("S", "F", 99.0), value);
}

void TestSettings::unreadableFileIsNotOverwritten() {
    TestFolder dir;
    // A folder where the file should be cannot be read as a file.
    QVERIFY(QDir(dir.path()).mkdir("Vesk.ini"));
    Settings s(dir.file("Vesk.ini"));
    QString reason;
    QVERIFY(!s.load(&reason) && !reason.isEmpty());
    s.writeString("A", "B", "c");
    QVERIFY_THROWS_EXCEPTION(IoError, s.save());
    QVERIFY(QFileInfo(dir.file("Vesk.ini")).isDir());
}

void TestSettings::saveIntoMissingFolderFails() {
    TestFolder dir;
    Settings s(dir.file("no/such/folder/Vesk.ini"));
    s.writeString("A", "B", "c");
    QString message;
    try {
        s.save();
    } catch (const IoError& e) {
        message = e.message();
    }
    QVERIFY2(message.contains(QStringLiteral("Vesk.ini")), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
