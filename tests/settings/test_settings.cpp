#include "logstore/IoError.h"
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
    s.writeString("Allgemein", "UserMemo", "a\nb"); // a raw break would start a bogus key line
    s.writeInteger("Positionen", "MainForm.Top", 10);
    s.writeBool("Allgemein", "UtcDiffAuto", false);
    s.writeFloat("Allgemein", "UtcDiff", -1.5);
    s.writeFloat("Allgemein", "SunZenith", 90.8333);
    s.writeFloat("Allgemein", "Small", 0.005);
    s.save();
    // Floats with a decimal comma and never in exponent form.
    QCOMPARE(dir.read("Vesk.ini"), QByteArray("[Allgemein]\r\nUserMemo=a b\r\nUtcDiffAuto=0\r\nUtcDiff=-1,5\r\n"
                                              "SunZenith=90,8333\r\nSmall=0,005\r\n\r\n"
                                              "[Positionen]\r\nMainForm.Top=10\r\n\r\n"));
    Settings back(dir.file("Vesk.ini"));
    QVERIFY(back.load());
    QCOMPARE(back.serialize(), dir.read("Vesk.ini"));
    QVERIFY(back.readFloat("Allgemein", "SunZenith", 0) == 90.8333 && back.readFloat("Allgemein", "Small", 0) == 0.005);
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
    QString message;
    try {
        elsewhere.save();
    } catch (const IoError& e) {
        message = e.message();
    }
    QVERIFY2(message.contains(QStringLiteral("no/such/folder/Vesk.ini")), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
