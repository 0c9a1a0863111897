#include "logstore/BandList.h"
#include "logstore/Codepage.h"
#include "logstore/DateText.h"
#include "logstore/PackedRecord.h"
#include "logstore/QsoRecord.h"
#include "ScriptedDialogs.h"

#include <QtTest>

class TestQsoRecord : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodeLine_data();
    void decodeLine();
    void tooManySeparators();
    void encodeStripsSeparatorsAndBreaks();
    void roundTrip();
    void packedMatchesDecoded_data();
    void packedMatchesDecoded();
    void bandIndex_data();
    void bandIndex();
    void modeIndex_data();
    void modeIndex();
    void otherAsksWithCurrentAsPreset();
    void codepageRoundTrip();
    void dates_data();
    void dates();
};

void TestQsoRecord::decodeLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields"); // the first fields; the rest must be empty
    QTest::newRow("short") << "5;01.02.2003;12:00:00;2m;FM;X"
                           << QStringList{"5", "01.02.2003", "12:00:00", "2m", "FM", "X"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("comment break") << "1;;;;;;;;;;;;;a#13#10b;;" << QString("1;;;;;;;;;;;;;a\nb").split(u';');
    QTest::newRow("break elsewhere stays text") << "1;;;;;DL#13#10X" << QStringList{"1", "", "", "", "", "DL#13#10X"};
    QTest::newRow("full") << "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16"
                          << QString("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16").split(u';');
}

void TestQsoRecord::decodeLine() {
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QsoRecord r;
    r[QsoRecord::Call] = QStringLiteral("stale"); // must be overwritten
    QVERIFY(QsoRecord::decodeLine(line, r));
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        QCOMPARE(r[f], f <= fields.size() ? fields[f - 1] : QString());
}

void TestQsoRecord::tooManySeparators() {
    QsoRecord r;
    QVERIFY(!QsoRecord::decodeLine(QStringLiteral("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17"), r));
    PackedRecord p;
    QVERIFY(!PackedRecord::fromLine(QStringLiteral(";;;;;;;;;;;;;;;;"), p));
    QVERIFY(PackedRecord::fromLine(QStringLiteral(";;;;;;;;;;;;;;;"), p));
}

void TestQsoRecord::encodeStripsSeparatorsAndBreaks() {
    QsoRecord r;
    r[QsoRecord::Number] = QStringLiteral("1");
    r[QsoRecord::Call] = QStringLiteral("DL;1");
    r[QsoRecord::Comments] = QStringLiteral("a\r\nb\nc\rd");
    const QString line = r.encodeLine();
    QCOMPARE(line, QStringLiteral("1;;;;;DL1;;;;;;;;a#13#10b#13#10c#13#10d;;"));
}

void TestQsoRecord::roundTrip() {
    QsoRecord r;
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        r[f] = QStringLiteral("F%1 äöü ß").arg(f);
    r[QsoRecord::Comments] = QStringLiteral("Zeile 1\nZeile 2");
    QsoRecord back;
    QVERIFY(QsoRecord::decodeLine(r.encodeLine(), back));
    QCOMPARE(back, r);
    // The table shows line breaks as blanks and keeps them in the record.
    QCOMPARE(back.displayField(QsoRecord::Comments), QStringLiteral("Zeile 1 Zeile 2"));
}

void TestQsoRecord::packedMatchesDecoded_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("full") << "1;2;3;4;5;6;7;8;9;10;11;12;13;x#13#10y;15;16";
    QTest::newRow("short") << "5;01.02.2003;12:00:00";
    QTest::newRow("empty") << "";
    QTest::newRow("empty fields") << ";;X;;";
}

void TestQsoRecord::packedMatchesDecoded() {
    QFETCH(QString, line);
    QsoRecord r;
    QVERIFY(QsoRecord::decodeLine(line, r));
    PackedRecord p;
    QVERIFY(PackedRecord::fromLine(line, p));
    QCOMPARE(p.toRecord(), r);
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        QCOMPARE(p.displayField(f), r.displayField(f));
}

void TestQsoRecord::bandIndex_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("2M") << "2M" << 3;
    QTest::newRow("blank") << " 2m" << 12;
    QTest::newRow("6m") << "6m" << 12;
    QTest::newRow("13cm") << "13cm" << 0;
}

void TestQsoRecord::bandIndex() {
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(BandList::TextToBandIndex(text), index);
}

void TestQsoRecord::modeIndex_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("pactor") << "pactor" << 9;
    QTest::newRow("ssb") << "ssb" << 1;
    QTest::newRow("FT8") << "FT8" << 11;
}

void TestQsoRecord::modeIndex() {
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(ModeList::TextToModeIndex(text), index);
    if (index < ModeList::Other) {
        ScriptedDialogs d;
        QCOMPARE(ModeList::TextToModeIndex(ModeList::ModeIndexToText(index, {}, d, {})), index);
    }
}

void TestQsoRecord::otherAsksWithCurrentAsPreset() {
    ScriptedDialogs d;
    QCOMPARE(ModeList::ModeIndexToText(9, QStringLiteral("x"), d, QStringLiteral("?")), QStringLiteral("Pactor"));
    QVERIFY(d.prompts.isEmpty());
    d.inputAnswers = {QStringLiteral("6m")};
    QCOMPARE(BandList::BandIndexToText(12, QStringLiteral("2m"), d, QStringLiteral("Band?")), QStringLiteral("6m"));
    QCOMPARE(d.prompts.last(), QStringLiteral("Band|Band?|2m"));
    // Cancel keeps the band shown.
    QCOMPARE(BandList::BandIndexToText(12, QStringLiteral("2m"), d, QStringLiteral("Band?")), QStringLiteral("2m"));
    QCOMPARE(ModeList::ModeIndexToText(11, QStringLiteral("FT8"), d, QStringLiteral("Mode?")), QStringLiteral("FT8"));
    QCOMPARE(d.prompts.last(), QStringLiteral("Mode|Mode?|FT8"));
}

void TestQsoRecord::codepageRoundTrip() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    QCOMPARE(Codepage::encode(Codepage::decode(all)), all);
    QCOMPARE(Codepage::decode(QByteArray("\x80\xe4")), QStringLiteral("€ä"));
    QCOMPARE(Codepage::encode(QStringLiteral("a\u4e2db\U0001F600c")), QByteArray("a?b?c"));
}

void TestQsoRecord::dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: not a date
    QTest::newRow("short parts") << "1.2.2003" << "01.02.2003";
    QTest::newRow("two digit recent") << "01.02.03" << "01.02.2003";
    QTest::newRow("two digit next year") << "01.02.27" << "01.02.2027";
    QTest::newRow("two digit old") << "01.02.85" << "01.02.1985";
    QTest::newRow("31 February") << "31.02.2003" << "";
    QTest::newRow("three digit year") << "01.02.200" << "";
}

void TestQsoRecord::dates() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const auto d = DateText::parseDate(text, 2026);
    QCOMPARE(d ? DateText::formatDate(*d) : QString(), expected);
}

QTEST_GUILESS_MAIN(TestQsoRecord)
#include "test_qsorecord.moc"
