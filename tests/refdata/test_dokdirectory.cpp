#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "refdata/DokDirectory.h"
#include "TestFolder.h"

#include <QRegularExpression>
#include <QtTest>

// A small directory: a real name, a placeholder, a club whose district
// letter is unknown, a comment and an unrelated section that must survive
// every import untouched.
static QByteArray smallDirectory() {
    return crlf({"; von Hand gepflegt", "[OV]", "A01=Ortsverband Freiburg", "B02=OV B02", "Q05=Saarclub",
                 "c03=", "", "[Distrikt]", "A=Baden", "B=Franken", "C=Oberbayern", "", "[Website]",
                 "A=https://example.org/a/", "C=https://example.org/c/", "", "[Eigenes]", "Notiz=bleibt", ""});
}

class TestDokDirectory : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lookups_data();
    void lookups();
    void districtLinkEditAndMissingFile();
    void brokenLinesNameFileAndLine();
    void shippedDirectory();
    void importMergesNames();
    void importWithoutChangeLeavesFile();
    void importErrorsLeaveFile();
};

// The labels beside the DOK field and the information window's lines.
void TestDokDirectory::lookups_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("labels"); // club|district|district label set
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("known club") << "A01" << "Ortsverband Freiburg|Baden|1"
                                << QStringList{"A01", "Ortsverband Ortsverband Freiburg", "Distrikt Baden",
                                               "https://example.org/a/"};
    QTest::newRow("placeholder") << "B02" << "OV B02|Franken|1"
                                 << QStringList{"B02", "Ortsverband OV B02", "Distrikt Franken", ""};
    QTest::newRow("unknown district") << "Q05" << "Saarclub||1"
                                      << QStringList{"Q05", "Ortsverband Saarclub", "Distrikt ", ""};
    // An empty name keeps the district label, yet the key is no special DOK.
    QTest::newRow("key without name") << "C03" << "||0"
                                      << QStringList{"C03", "Ortsverband ", "Distrikt Oberbayern", "https://example.org/c/"};
    QTest::newRow("special DOK") << "50DARC" << "||0" << QStringList{"50DARC", "Sonder-DOK"};
}

void TestDokDirectory::lookups() {
    QFETCH(QString, field);
    QFETCH(QString, labels);
    QFETCH(QStringList, lines);
    TestFolder dir;
    dir.write("DOK.ini", smallDirectory());
    DokDirectory dok(dir.file("DOK.ini"));
    const DokDirectory::Labels shown = dok.labelsFor(field);
    QCOMPARE(shown.club + u'|' + shown.district + u'|' + QString::number(shown.districtSet), labels);
    QCOMPARE(dok.describe(field), lines);
}

void TestDokDirectory::districtLinkEditAndMissingFile() {
    TestFolder dir;
    dir.write("DOK.ini", smallDirectory());
    DokDirectory dok(dir.file("DOK.ini"));
    QCOMPARE(dok.districtLinkFor("Oberbayern", "c03"), QStringLiteral("https://example.org/c/"));
    QCOMPARE(dok.districtLinkFor("", "A01"), QString()); // no district shown, nothing to open
    // An edit is seen at the next lookup.
    dir.write("DOK.ini", crlf({"[OV]", "A01=Freiburg im Breisgau", "A02=Lahr"}));
    QCOMPARE(QStringList({dok.club("A01"), dok.club("A02")}), QStringList({"Freiburg im Breisgau", "Lahr"}));
    DokDirectory missing(dir.file("fehlt.ini"));
    QCOMPARE(missing.describe("A01"), (QStringList{"A01", "Sonder-DOK"}));
    QCOMPARE(missing.districtLinkFor("Baden", "A01"), QString());
    QVERIFY(missing.problems().size() == 1 && missing.problems().first().contains(QStringLiteral("fehlt")));
}

void TestDokDirectory::brokenLinesNameFileAndLine() {
    TestFolder dir;
    dir.write("DOK.ini", crlf({"A01=vor dem Abschnitt", "[OV]", "A02=Lahr", "A03 Offenburg", "a02=doppelt"}));
    DokDirectory dok(dir.file("DOK.ini"));
    QCOMPARE(dok.club("A02"), QStringLiteral("Lahr")); // the first of two equal keys counts
    const QString name = dir.file("DOK.ini");
    const QStringList expected{
        QStringLiteral("\"%1\", Zeile 1: steht vor dem ersten Abschnitt [...]").arg(name),
        QStringLiteral("\"%1\", Zeile 4: keine Angabe Schlüssel=Wert").arg(name),
        QStringLiteral("\"%1\", Zeile 5: \"a02\" steht schon in Zeile 3; diese Zeile gilt nicht").arg(name),
    };
    QCOMPARE(dok.problems(), expected);
}

void TestDokDirectory::shippedDirectory() {
    TestFolder dir;
    dir.installDataFile(QStringLiteral("DOK.ini"));
    DokDirectory dok(dir.file("DOK.ini"));
    QVERIFY2(dok.problems().isEmpty(), qPrintable(dok.problems().join('\n')));
    const QString text = Codepage::decode(dir.read("DOK.ini"));
    const QRegularExpression ovLine(QStringLiteral("^([A-Z]\\d\\d)=([^\r]*)\r?$"), QRegularExpression::MultilineOption);
    int doks = 0;
    for (auto it = ovLine.globalMatch(text); it.hasNext(); ++doks) {
        const QString code = it.next().captured(1);
        QVERIFY2(!dok.district(code).isEmpty(), qPrintable(code));
    }
    QCOMPARE(doks, 1089);
    QCOMPARE(dok.district("G01"), QStringLiteral("Köln-Aachen"));
    QCOMPARE(dok.district("J01"), QString());
}

// The list is UTF-8 with a byte order mark; the directory stays Windows-1252.
void TestDokDirectory::importMergesNames() {
    TestFolder dir;
    dir.write("DOK.ini", smallDirectory());
    dir.write("liste.csv", (QChar(0xFEFF) + QStringLiteral("DOK;Clubname\nB02;Nürnberg-Süd\nA01;Freiburg neu\n"
                                                          "Q05;Saarclub\nc03;Ohne Namen bisher\n"
                                                          "a55;Neuer Club; mit Semikolon\nZ94;VFDB Z94\n"))
                               .toUtf8());
    const DokImportResult result = DokDirectory::importClubNames(dir.file("DOK.ini"), dir.file("liste.csv"));
    QCOMPARE(result.renamedClubs, QStringList{"A01: Ortsverband Freiburg -> Freiburg neu"});
    QVERIFY(result.summary().startsWith(
        QStringLiteral("2 neu, 2 Platzhalter ersetzt, 1 umbenannt, 1 unverändert, 0 fehlerhafte Zeilen\n")));
    // Key spellings, comment, the other sections and their order stay; new
    // DOKs close section OV.
    QCOMPARE(dir.read("DOK.ini"),
             crlf({"; von Hand gepflegt", "[OV]", "A01=Freiburg neu", "B02=Nürnberg-Süd", "Q05=Saarclub",
                   "c03=Ohne Namen bisher", "A55=Neuer Club; mit Semikolon", "Z94=VFDB Z94", "", "[Distrikt]",
                   "A=Baden", "B=Franken", "C=Oberbayern", "", "[Website]", "A=https://example.org/a/",
                   "C=https://example.org/c/", "", "[Eigenes]", "Notiz=bleibt", ""}));
    DokDirectory dok(dir.file("DOK.ini"));
    QVERIFY(dok.problems().isEmpty());
    QCOMPARE(dok.labelsFor("A55").district, QStringLiteral("Baden"));
}

// Every kind of bad line is named with file and line and left out; as the
// rest changes nothing, the file is not touched at all (its LF line ends of a
// hand edit would have been rewritten).
void TestDokDirectory::importWithoutChangeLeavesFile() {
    TestFolder dir;
    const QByteArray original = QByteArray(smallDirectory()).replace("\r\n", "\n");
    dir.write("DOK.ini", original);
    const QStringList reasons = {"kein \";\" zwischen DOK und Clubname", "DOK fehlt", "Clubname fehlt",
                                 "DOK \"A1\" hat weniger als 3 Zeichen", "\"A=1\" kann kein DOK sein",
                                 "DOK a01 steht schon in Zeile 2"};
    dir.write("liste.txt", crlf({"", "A01;Ortsverband Freiburg", "A01 Freiburg", " ;Freiburg", "A01; ", "A1;Freiburg",
                                 "A=1;Freiburg", "a01;Noch einmal"}));
    const DokImportResult result = DokDirectory::importClubNames(dir.file("DOK.ini"), dir.file("liste.txt"));
    QCOMPARE(result.badLines.size(), reasons.size());
    const QString where = u'"' + dir.file("liste.txt") + QStringLiteral("\", Zeile %1: ");
    for (int i = 0; i < reasons.size(); ++i)
        QVERIFY2(result.badLines[i].startsWith(where.arg(i + 3) + reasons[i]), qPrintable(result.badLines[i]));
    QVERIFY(result.summary().endsWith(result.badLines.join(u'\n')));
    QCOMPARE(dir.read("DOK.ini"), original);
    // A Windows-1252 list; a directory without section OV gets one at its end.
    dir.write("DOK.ini", crlf({"[Distrikt]", "A=Baden"}));
    dir.write("liste.txt", crlf({"A01;Lörrach"}));
    DokDirectory::importClubNames(dir.file("DOK.ini"), dir.file("liste.txt"));
    QCOMPARE(dir.read("DOK.ini"), crlf({"[Distrikt]", "A=Baden", "", "[OV]", "A01=Lörrach"}));
}

void TestDokDirectory::importErrorsLeaveFile() {
    TestFolder dir;
    dir.write("DOK.ini", smallDirectory());
    QVERIFY_THROWS_EXCEPTION(IoError,
                             DokDirectory::importClubNames(dir.file("DOK.ini"), dir.file("fehlt.txt")));
    QCOMPARE(dir.read("DOK.ini"), smallDirectory());

    dir.write("liste.txt", crlf({"A01;Freiburg neu"}));
    AtomicFile::failNextCommitForTesting();
    QString message; // the failed rename is reported naming the directory
    try { DokDirectory::importClubNames(dir.file("DOK.ini"), dir.file("liste.txt")); }
    catch (const IoError& e) { message = e.message(); }
    QVERIFY2(message.contains(dir.file("DOK.ini")), qPrintable(message));
    QCOMPARE(dir.read("DOK.ini"), smallDirectory());
}

QTEST_GUILESS_MAIN(TestDokDirectory)
#include "test_dokdirectory.moc"
