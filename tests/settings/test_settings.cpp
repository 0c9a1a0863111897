#include "ErrorOf.h"
#include "settings/Settings.h"
#include "TestFolder.h"

#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesIgnoreCase();
    void typedReads();
    void writeOrderAndFormat();
    void failedSaves();
    void manySectionsAndKeys();
    void notText_data();
    void notText();
};

// A missing file gives the defaults; reading never adds a key that saving
// would then write. Section and key names ignore case, blanks and comments.
void TestSettings::namesIgnoreCase() {
    TestFolder dir;
    Settings missing(dir.file("Vesk.ini"));
    QVERIFY(missing.load());
    QCOMPARE(missing.readString("Allgemein", "EigenesCall", "Q0ABC"), QStringLiteral("Q0ABC"));
    QVERIFY(missing.readBool("Clock", "UTC", true) && missing.readFloat("Allgemein", "SunZenith", 90.8333) == 90.8333);
    QVERIFY(missing.sections().isEmpty() && !missing.contains("Allgemein", "EigenesCall"));
    dir.write("Vesk.ini", "[allgemein]\r\nEIGENESCALL=DL1ABC\r\n  ; a comment\r\n[Positionen]\r\n"
                          "MainForm.Top = 12 \r\n");
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QVERIFY(s.readString("Allgemein", "EigenesCall") == u"DL1ABC" && s.readInteger("POSITIONEN", "mainform.top", 0) == 12);
    s.writeString("ALLGEMEIN", "eigenescall", "DK2XY");
    QCOMPARE(s.sections(), (QStringList{"allgemein", "Positionen"}));
    QVERIFY(s.keys("Allgemein") == QStringList{"EIGENESCALL"} && s.readString("Allgemein", "EigenesCall") == u"DK2XY");
}

// Integers in decimal or hex are true; floats with comma or point.
void TestSettings::typedReads() {
    const std::tuple<const char*, int, bool, double> rows[] = {
        {"42", 42, true, 42.0}, {"0x1F", 31, true, 2.5}, {"-1,5", 7, false, -1.5}, {"0.25", 7, false, 0.25},
        {"abc", 7, false, 2.5}};
    for (const auto& [value, integer, boolean, real] : rows) {
        Settings s;
        s.writeString("S", "K", value);
        QCOMPARE(s.readInteger("S", "K", 7), integer);
        QCOMPARE(s.readBool("S", "K", false), boolean);
        QCOMPARE(s.readFloat("S", "K", 2.5), real);
    }
}

void TestSettings::writeOrderAndFormat() {
    TestFolder dir;
    Settings s(dir.file("Vesk.ini"));
    s.writeString("Allgemein", "UserMemo", "ä\nb"); // a raw break would start a bogus key line
    s.writeInteger("Positionen", "MainForm.Top", 10);
    s.writeBool("Allgemein", "UtcDiffAuto", false);
    s.writeFloat("Allgemein", "UtcDiff", -1.5);
    s.writeFloat("Allgemein", "SunZenith", 90.8333);
    s.writeFloat("Allgemein", "Small", 0.005);
    s.save();
    // 8-bit text as the file has always been written; floats with a decimal
    // comma and never in exponent form.
    QCOMPARE(dir.read("Vesk.ini"), QByteArray("[Allgemein]\r\nUserMemo=\xe4 b\r\nUtcDiffAuto=0\r\nUtcDiff=-1,5\r\n"
                                              "SunZenith=90,8333\r\nSmall=0,005\r\n\r\n"
                                              "[Positionen]\r\nMainForm.Top=10\r\n\r\n"));
    Settings back(dir.file("Vesk.ini"));
    QVERIFY(back.load());
    QCOMPARE(back.serialize(), dir.read("Vesk.ini"));
    QVERIFY(back.readFloat("Allgemein", "SunZenith", 0) == 90.8333 && back.readFloat("Allgemein", "Small", 0) == 0.005);
    QCOMPARE(back.readString("Allgemein", "UserMemo"), QStringLiteral("ä b"));
    // Memo texts are stored with their line breaks written out.
    QCOMPARE(Settings::encodeMultiLine("a\r\nb"), QStringLiteral("a#13#10b"));
    QCOMPARE(Settings::decodeMultiLine("a#13#10b"), QStringLiteral("a\nb"));
}

// A folder where the file should be can neither be read nor replaced; a
// missing folder is named in the message.
void TestSettings::failedSaves() {
    TestFolder dir;
    QVERIFY(QDir(dir.path()).mkdir("Vesk.ini"));
    Settings s(dir.file("Vesk.ini"));
    QString reason;
    QVERIFY(!s.load(&reason) && !reason.isEmpty());
    s.writeString("A", "B", "c");
    QVERIFY_THROWS_EXCEPTION(IoError, s.save());
    QVERIFY(QFileInfo(dir.file("Vesk.ini")).isDir());
    Settings elsewhere(dir.file("no/such/folder/Vesk.ini"));
    elsewhere.writeString("A", "B", "c");
    const QString message = errorOf([&] { elsewhere.save(); });
    QVERIFY2(message.contains(QStringLiteral("no/such/folder/Vesk.ini")), qPrintable(message));
}

// Every name is found among tens of thousands, in any letter case; the
// first of two equal keys counts, a later section of the same name adds to
// the first (reading them one by one against each other took minutes).
void TestSettings::manySectionsAndKeys() {
    TestFolder dir;
    constexpr int n = 40000;
    QByteArray ini;
    for (int i = 0; i < n; ++i)
        ini += "[S" + QByteArray::number(i) + "]\r\nK=" + QByteArray::number(i) + "\r\n";
    ini += "[big]\r\n";
    for (int i = 0; i < n; ++i)
        ini += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
    ini += "KEY7=twice\r\n[s5]\r\nmore=1\r\n";
    dir.write("Vesk.ini", ini);
    Settings s(dir.file("Vesk.ini"));
    QVERIFY(s.load());
    QCOMPARE(s.sections().size(), n + 1);
    QCOMPARE(s.keys("BIG").size(), n);
    QVERIFY(s.readInteger("s39999", "k", -1) == 39999 && s.readString("big", "key39999") == u"39999");
    QVERIFY(s.readString("Big", "Key7") == u"7" && s.keys("S5") == (QStringList{"K", "more"}));
    s.writeString("BIG", "key7", "new");
    QVERIFY(s.readString("big", "Key7") == u"new" && s.keys("big").size() == n);
}

// Binary junk or UTF-16 saved as Vesk.ini: named with its line, nothing read,
// and the file is never replaced by what the program would write.
void TestSettings::notText_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("NUL byte") << QByteArray("[Allgemein]\r\nEigenesCall=DL1ABC\r\nx") + '\0' + "\xFF\r\n[Clock]\r\nShow=1"
                              << "Zeile 3: keine Einstellungsdatei aus 8-Bit-Text";
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QTest::newRow("UTF-16") << QByteArray(utf16(u"[Allgemein]\r\nEigenesCall=DL1ABC\r\n"))
                            << "Zeile 1: keine Einstellungsdatei aus 8-Bit-Text";
}

void TestSettings::notText() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    TestFolder dir;
    dir.write("Vesk.ini", bytes);
    Settings s(dir.file("Vesk.ini"));
    QString error;
    QVERIFY(!s.load(&error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(s.sections().isEmpty());
    s.writeString("Allgemein", "EigenesCall", "DK2XY");
    QVERIFY_THROWS_EXCEPTION(IoError, s.save());
    QCOMPARE(dir.read("Vesk.ini"), bytes);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
