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
    void encodeAndRoundTrip();
    void bandsAndModes();
    void codepageRoundTrip();
    void dates();
};

// The packed form the list reads must agree with the decoded record.
void TestQsoRecord::decodeLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields"); // the first fields; the rest must be empty; {"-"}: refused
    QTest::newRow("short") << "5;01.02.2003;12:00:00;2m;FM;X" << QString("5;01.02.2003;12:00:00;2m;FM;X").split(u';');
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("comment break") << "1;;;;;;;;;;;;;a#13#10b;;" << QString("1;;;;;;;;;;;;;a\nb").split(u';');
    QTest::newRow("break elsewhere stays text") << "1;;;;;DL#13#10X" << QStringList{"1", "", "", "", "", "DL#13#10X"};
    QTest::newRow("full") << "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16"
                          << QString("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16").split(u';');
    QTest::newRow("too many separators") << "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17" << QStringList{"-"};
}

void TestQsoRecord::decodeLine() {
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QsoRecord r;
    r[QsoRecord::Call] = QStringLiteral("stale"); // must be overwritten
    PackedRecord p;
    const bool refused = fields == QStringList{"-"};
    QCOMPARE(QsoRecord::decodeLine(line, r), !refused);
    QCOMPARE(PackedRecord::fromLine(line, p), !refused);
    if (refused)
        return;
    for (int f = 1; f <= QsoRecord::FieldCount; ++f) {
        QCOMPARE(r[f], f <= fields.size() ? fields[f - 1] : QString());
        QCOMPARE(p.displayField(f), r.displayField(f));
    }
    QCOMPARE(p.toRecord(), r);
}

// Separators are dropped and every kind of line break is written as
// "#13#10"; the table shows line breaks as blanks and keeps them.
void TestQsoRecord::encodeAndRoundTrip() {
    QsoRecord r;
    r[QsoRecord::Number] = QStringLiteral("1");
    r[QsoRecord::Call] = QStringLiteral("DL;1");
    r[QsoRecord::Comments] = QStringLiteral("a\r\nb\nc\rd");
    QCOMPARE(r.encodeLine(), QStringLiteral("1;;;;;DL1;;;;;;;;a#13#10b#13#10c#13#10d;;"));
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        r[f] = QStringLiteral("F%1 äöü ß").arg(f);
    r[QsoRecord::Comments] = QStringLiteral("Zeile 1\nZeile 2");
    QsoRecord back;
    QVERIFY(QsoRecord::decodeLine(r.encodeLine(), back));
    QCOMPARE(back, r);
    QCOMPARE(back.displayField(QsoRecord::Comments), QStringLiteral("Zeile 1 Zeile 2"));
}

// Case and blanks; bands and modes outside the lists ("other") are asked
// for with the current text as preset, and a cancel keeps it.
void TestQsoRecord::bandsAndModes() {
    for (const auto& [text, index] : {std::pair{"2M", 3}, {" 2m", 12}, {"6m", 12}, {"13cm", 0}})
        QCOMPARE(BandList::TextToBandIndex(text), index);
    ScriptedDialogs d;
    for (const auto& [text, index] : {std::pair{"pactor", 9}, {"ssb", 1}, {"FT8", 11}}) {
        QCOMPARE(ModeList::TextToModeIndex(text), index);
        if (index < ModeList::Other)
            QCOMPARE(ModeList::TextToModeIndex(ModeList::ModeIndexToText(index, {}, d, {})), index);
    }
    QVERIFY(d.prompts.isEmpty());
    d.inputAnswers = {QStringLiteral("6m")};
    QCOMPARE(BandList::BandIndexToText(12, QStringLiteral("2m"), d, QStringLiteral("Band?")), QStringLiteral("6m"));
    QCOMPARE(d.prompts.last(), QStringLiteral("Band|Band?|2m"));
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

// Short parts; two-digit years by the nearest century (the next year still
// counts as recent); impossible dates and three-digit years are no dates.
void TestQsoRecord::dates() {
    for (const auto& [text, expected] : {std::pair{"1.2.2003", "01.02.2003"}, {"01.02.03", "01.02.2003"},
                                         {"01.02.27", "01.02.2027"}, {"01.02.85", "01.02.1985"},
                                         {"31.02.2003", ""}, {"01.02.200", ""}}) {
        const auto d = DateText::parseDate(QString::fromLatin1(text), 2026);
        QCOMPARE(d ? DateText::formatDate(*d) : QString(), QString::fromLatin1(expected));
    }
}

QTEST_GUILESS_MAIN(TestQsoRecord)
#include "test_qsorecord.moc"
