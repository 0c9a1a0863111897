#include "cli/BatchCommands.h"
#include "links/CallBookAccess.h"
#include "links/CallbookDatabase.h"
#include "links/CallbookImport.h"
#include "links/CallbookSettings.h"
#include "logstore/IoError.h"
#include "settings/Settings.h"

#include "TestFolder.h"

#include <QtTest>

#include <unistd.h>

namespace {

const QString kDb = QStringLiteral("Callbook.vcb");

// A raw result buffer: the text, zero-padded to the buffer's size.
QByteArray buffer(const QByteArray& text) {
    QByteArray b = text;
    b.resize(CallbookDatabase::BufferSize, '\0');
    return b;
}

// Builds a database in dir from lines of the text format.
void buildFromText(const TestFolder& dir, const QStringList& lines, const QByteArray& codec = "utf-8") {
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += (codec == "utf-8" ? l.toUtf8() : l.toLatin1()) + "\r\n";
    dir.write(QStringLiteral("in.txt"), bytes);
    CallbookImport::importText(dir.file(QStringLiteral("in.txt")), dir.file(kDb));
}

CallBook callBookIn(const TestFolder& dir) { return CallBook(dir.path() + u'/'); }

// Field1, Adresse, Licence, Comment, FaxNr, EMail, Name
QStringList fieldsOf(const CallInfo& i) { return {i.Field1, i.Adresse, i.Licence, i.Comment, i.FaxNr, i.EMail, i.Name}; }

void patch(const QString& path, qint64 at, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek(at);
    f.write(bytes);
}

struct CliRun {
    int status = 0;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args) {
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    FakeClock clock;
    r.status = BatchCommands::run(CommandLine::parse(args), clock, out, err);
    out.flush();
    err.flush();
    return r;
}

} // namespace

class TestCallbook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void evaluate_data();
    void evaluate();
    void preparedCall_data();
    void preparedCall();
    void transfer_data();
    void transfer();
    void messageIndex_data();
    void messageIndex();
    void textImportRoundTrip_data();
    void textImportRoundTrip();
    void manyBlocks();
    void lookupErrors_data();
    void lookupErrors();
    void longFolder();
    void formatCheck_data();
    void formatCheck();
    void textImportRefusals_data();
    void textImportRefusals();
    void ulsImport();
    void ulsMissingFile();
    void settingsSection();
    void batchCommands();
};

void TestCallbook::evaluate_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected"); // fieldsOf

    QTest::newRow("name and address") << 0 << QByteArray("\x02Vorname Nachname, Strasse 1, 12345 Ort")
                                      << QStringList{"", "Strasse 1, 12345 Ort", "", "", "", "", "Vorname Nachname"};
    QTest::newRow("no comma: no name") << 0 << QByteArray("\x02Vorname Nachname Strasse 1")
                                       << QStringList{"", "Vorname Nachname Strasse 1", "", "", "", "", ""};
    QTest::newRow("prefixes") << 0 << QByteArray("\x01W1AW\x07" "E\x16nice\x17" "555-1\x18x@y.org")
                              << QStringList{"W1AW", "", "Licence Class: E", "nice", "Fax-Number: 555-1",
                                             "e-Mail: x@y.org", ""};
    QTest::newRow("unknown code dropped") << 0 << QByteArray("\x05secret\x02" "A, B\x09more")
                                          << QStringList{"", "B", "", "", "", "", "A"};
    QTest::newRow("highest code dropped") << 0 << QByteArray("\x1fhidden\x02" "A, B")
                                          << QStringList{"", "B", "", "", "", "", "A"};
    QTest::newRow("text before a code dropped") << 0 << QByteArray("lost\x02" "A, B")
                                                << QStringList{"", "B", "", "", "", "", "A"};
    QTest::newRow("code repeated appends") << 0 << QByteArray("\x16one\x16two")
                                           << QStringList{"", "", "", "onetwo", "", "", ""};
    QTest::newRow("windows-1252") << 0 << QByteArray("\x02J\xfcrgen M\xfcller, K\xf6ln")
                                  << QStringList{"", QString::fromUtf8("Köln"), "", "", "", "",
                                                 QString::fromUtf8("Jürgen Müller")};
    QTest::newRow("error leaves fields empty") << 32000 << QByteArray("\x02" "A, B")
                                               << QStringList{"", "", "", "", "", "", ""};
}

void TestCallbook::evaluate() {
    QFETCH(int, code);
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    const CallInfo info = CallBook::evaluate(code, buffer(text).constData());
    QCOMPARE(fieldsOf(info), expected);
    QCOMPARE(info.ErrorCode, code);
}

void TestCallbook::preparedCall_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QByteArray>("prepared");
    QTest::newRow("trim, lower, seven") << " Q1ABC/PQR " << QByteArray("q1abc/p");
    QTest::newRow("short") << "DL1ABC" << QByteArray("dl1abc");
    QTest::newRow("empty") << "   " << QByteArray();
    QTest::newRow("umlaut") << QString::fromUtf8("ÄB1CD") << QByteArray("\xe4" "b1cd");
}

void TestCallbook::preparedCall() {
    QFETCH(QString, call);
    QFETCH(QByteArray, prepared);
    QCOMPARE(CallBook::preparedCall(call), prepared);
}

void TestCallbook::transfer_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("boxes"); // N name, V first name, A address, L licence, C comment, F fax, E e-mail
    QTest::addColumn<QString>("name");  // "-" untouched
    QTest::addColumn<QStringList>("lines");
    const QByteArray full = "\x02Vorname Nachname, Strasse 1, 12345 Ort\x07" "A\x16Kommentar\x17" "0301\x18" "a@b.de";
    QTest::newRow("name") << full << "N" << "Vorname Nachname" << QStringList{};
    QTest::newRow("first name only") << full << "V" << "Vorname" << QStringList{};
    QTest::newRow("name wins over first name") << full << "NV" << "Vorname Nachname" << QStringList{};
    QTest::newRow("first name of a single word") << QByteArray("\x02Hans, Ort") << "V" << "" << QStringList{};
    QTest::newRow("no name: untouched") << QByteArray("\x02Strasse 1 Ort") << "NV" << "-" << QStringList{};
    QTest::newRow("nothing ticked") << full << "" << "-" << QStringList{};
    QTest::newRow("lines in order")
        << full << "ECFLA" << "-"
        << QStringList{"Strasse 1, 12345 Ort", "Licence Class: A", "Kommentar", "Fax-Number: 0301", "e-Mail: a@b.de"};
    QTest::newRow("empty fields give no line") << QByteArray("\x02N, \x16x") << "ALC" << "-" << QStringList{"x"};
}

void TestCallbook::transfer() {
    QFETCH(QByteArray, text);
    QFETCH(QString, boxes);
    QFETCH(QString, name);
    QFETCH(QStringList, lines);
    CallbookSelection s;
    s.name = boxes.contains(u'N');
    s.firstName = boxes.contains(u'V');
    s.address = boxes.contains(u'A');
    s.licence = boxes.contains(u'L');
    s.comment = boxes.contains(u'C');
    s.fax = boxes.contains(u'F');
    s.email = boxes.contains(u'E');
    const CallbookTransfer t = CallBook::transfer(CallBook::evaluate(0, buffer(text).constData()), s);
    QCOMPARE(t.name.value_or(QStringLiteral("-")), name);
    QCOMPARE(t.commentLines, lines);
    // Lines go below what the memo holds.
    QCOMPARE(CallBook::appendLines(QStringLiteral("alt"), {"a", "b"}), QStringLiteral("alt\na\nb"));
    QCOMPARE(CallBook::appendLines(QStringLiteral("alt\n"), {"a"}), QStringLiteral("alt\na"));
    QCOMPARE(CallBook::appendLines(QString(), {"a"}), QStringLiteral("a"));
}

void TestCallbook::messageIndex_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index");
    const QList<std::pair<int, int>> table = {{-5, 15}, {-4, 16}, {-3, 17}, {-2, 18},  {2, 20},  {3, 21},
                                              {5, 22},  {1101, 23}, {32000, 24}, {-1, 25}, {1, 25}, {4, 25}};
    for (const auto& [code, index] : table)
        QTest::addRow("%d", code) << code << index;
}

void TestCallbook::messageIndex() {
    QFETCH(int, code);
    QFETCH(int, index);
    QCOMPARE(CallBook::messageIndex(code), index);
}

void TestCallbook::textImportRoundTrip_data() {
    QTest::addColumn<QByteArray>("codec");
    QTest::newRow("utf-8") << QByteArray("utf-8");
    QTest::newRow("windows-1252") << QByteArray("latin1");
}

void TestCallbook::textImportRoundTrip() {
    QFETCH(QByteArray, codec);
    TestFolder dir;
    buildFromText(dir, {"CALL;Name;Address;Licence;Comment;Fax;E-Mail",
                        QString::fromUtf8("DL1ABC;Jürgen Müller;Hauptstr. 1, 50667 Köln;A;OV G01;0221-1;dl1abc@darc.de"),
                        "", "  w1aw ;ARRL, Inc.;225 Main St, Newington CT;;HQ station",
                        "Q1ABC/P;Portabel"}, codec);
    const CallBook book = callBookIn(dir);
    CallInfo info = book.GetCallInfo(QStringLiteral("dl1abc"));
    QCOMPARE(info.ErrorCode, 0);
    QCOMPARE(fieldsOf(info), (QStringList{"DL1ABC", QString::fromUtf8("Hauptstr. 1, 50667 Köln"), "Licence Class: A",
                                          "OV G01", "Fax-Number: 0221-1", "e-Mail: dl1abc@darc.de",
                                          QString::fromUtf8("Jürgen Müller")}));
    // ", " in a name would split it at the wrong place.
    QCOMPARE(fieldsOf(book.GetCallInfo(QStringLiteral(" W1AW"))),
             (QStringList{"W1AW", "225 Main St, Newington CT", "", "HQ station", "", "", "ARRL Inc."}));
    QCOMPARE(book.GetCallInfo(QStringLiteral(" Q1ABC/PQR ")).Name, QStringLiteral("Portabel"));
    QCOMPARE(book.GetCallInfo(QStringLiteral("DL1AB")).ErrorCode, 32000);
    QCOMPARE(book.GetCallInfo(QStringLiteral("DL1ABCD")).ErrorCode, 32000);
    QCOMPARE(book.GetCallInfo(QString()).ErrorCode, 32000);
    QCOMPARE(book.CheackDataBaseFormat(), 0);
}

void TestCallbook::manyBlocks() {
    // Enough entries for hundreds of blocks; every one must be found, and
    // calls between them must not.
    TestFolder dir;
    QStringList lines;
    auto number = [](int i) { return QStringLiteral("%1").arg(i, 5, 10, QChar(u'0')); };
    for (int i = 0; i < 20000; ++i)
        lines << QStringLiteral("K%1Y;Name %2;Street %1").arg(number(i), QString(i % 90, u'x'));
    buildFromText(dir, lines);
    const CallBook book = callBookIn(dir);
    for (int i = 0; i < 20000; i += 7) {
        const CallInfo info = book.GetCallInfo(QStringLiteral("K%1Y").arg(number(i)));
        QCOMPARE(info.ErrorCode, 0);
        QCOMPARE(info.Adresse, QStringLiteral("Street %1").arg(number(i)));
        QCOMPARE(book.GetCallInfo(QStringLiteral("K%1Z").arg(number(i))).ErrorCode, 32000);
    }
    QCOMPARE(book.GetCallInfo(QStringLiteral("A")).ErrorCode, 32000);
    QCOMPARE(book.GetCallInfo(QStringLiteral("ZZZ")).ErrorCode, 32000);
    QCOMPARE(book.CheackDataBaseFormat(), 0);
}

void TestCallbook::lookupErrors_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("code");
    QTest::newRow("folder missing") << "nofolder" << 3;
    QTest::newRow("no database in folder") << "nofile" << -5;
    QTest::newRow("database is a folder") << "isfolder" << -2;
    QTest::newRow("not a database") << "garbage" << -3;
    QTest::newRow("other format version") << "version" << -3;
    QTest::newRow("cut off") << "truncated" << -4;
    QTest::newRow("cut off within the header") << "headeronly" << -4;
    QTest::newRow("entry runs past its block") << "block" << 1101;
    QTest::newRow("no read permission") << "permission" << 5;
}

void TestCallbook::lookupErrors() {
    QFETCH(QString, damage);
    QFETCH(int, code);
    TestFolder dir;
    buildFromText(dir, {"DL1ABC;Name, Ort"});
    const QString db = dir.file(kDb);
    QString folder = dir.path() + u'/';
    if (damage == "nofolder") {
        folder = dir.file(QStringLiteral("gone/"));
    } else if (damage == "nofile") {
        QFile::remove(db);
    } else if (damage == "isfolder") {
        QFile::remove(db);
        QDir(dir.path()).mkdir(kDb);
    } else if (damage == "garbage") {
        dir.write(kDb, QByteArray(5000, 'x'));
    } else if (damage == "version") {
        patch(db, 8, QByteArray("\x02\x00", 2));
    } else if (damage == "truncated") {
        QFile::resize(db, QFileInfo(db).size() - 1);
    } else if (damage == "headeronly") {
        QFile::resize(db, 20);
    } else if (damage == "block") {
        patch(db, 4096 + 2 + 7, QByteArray("\x00\x02", 2)); // an entry of 512 bytes
    } else if (damage == "permission") {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        QFile::setPermissions(db, QFileDevice::WriteOwner);
    }
    const CallInfo info = CallBook(folder).GetCallInfo(QStringLiteral("DL1ABC"));
    QCOMPARE(info.ErrorCode, code);
    QVERIFY(info.Name.isEmpty() && info.Adresse.isEmpty());
}

void TestCallbook::longFolder() {
    // Folders far longer than 80 characters hold the database like any other.
    TestFolder dir;
    QString deep = dir.path();
    for (int i = 0; i < 12; ++i)
        deep += QStringLiteral("/Ordner mit langem Namen %1").arg(i);
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(deep.size() > 300);
    dir.write(QStringLiteral("in.txt"), "DL1ABC;Hans Meier;Ort\r\n");
    CallbookImport::importText(dir.file(QStringLiteral("in.txt")), deep + u'/' + kDb);
    const std::optional<CallBook> book = CallBook::forDatabaseFile(deep + u'/' + kDb);
    QVERIFY(book.has_value());
    QCOMPARE(book->folder(), deep + u'/');
    const CallInfo info = book->GetCallInfo(QStringLiteral("dl1abc"));
    QCOMPARE(info.ErrorCode, 0);
    QCOMPARE(info.Name, QStringLiteral("Hans Meier"));
    // The same folder one character shorter is another folder.
    QCOMPARE(CallBook(deep.chopped(1) + u'/').GetCallInfo(QStringLiteral("dl1abc")).ErrorCode, 3);
}

void TestCallbook::formatCheck_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("result");
    QTest::newRow("in order") << "" << 0;
    QTest::newRow("keys out of order") << "order" << -3;
    QTest::newRow("index disagrees") << "index" << -3;
    QTest::newRow("entry count") << "count" << -3;
    QTest::newRow("not a database") << "garbage" << -3;
    QTest::newRow("missing") << "missing" << -5;
}

void TestCallbook::formatCheck() {
    QFETCH(QString, damage);
    QFETCH(int, result);
    TestFolder dir;
    buildFromText(dir, {"DL1ABC;A, B", "DL2ABC;C, D"});
    const QString db = dir.file(kDb);
    if (damage == "order")
        patch(db, 4096 + 2, "dl9"); // the first key above the second
    else if (damage == "index")
        patch(db, QFileInfo(db).size() - 8, "aa");
    else if (damage == "count")
        patch(db, 20, QByteArray("\x03", 1));
    else if (damage == "garbage")
        dir.write(kDb, "not a callbook");
    else if (damage == "missing")
        QFile::remove(db);
    QCOMPARE(callBookIn(dir).CheackDataBaseFormat(), result);
}

void TestCallbook::textImportRefusals_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("eight fields") << QByteArray("DL1ABC;a\r\nDL2ABC;1;2;3;4;5;6;7\r\n")
                                  << QStringList{"in.txt", "2", "8"};
    QTest::newRow("blank in call") << QByteArray("\r\nDL1 ABC;a\r\n") << QStringList{"in.txt", "2", "DL1 ABC"};
    QTest::newRow("empty call") << QByteArray(";Name\r\n") << QStringList{"in.txt", "1"};
}

void TestCallbook::textImportRefusals() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, parts);
    TestFolder dir;
    buildFromText(dir, {"OLD1;Alt, Ort"});
    const QByteArray before = dir.read(kDb);
    dir.write(QStringLiteral("in.txt"), text);
    try {
        CallbookImport::importText(dir.file(QStringLiteral("in.txt")), dir.file(kDb));
        QFAIL("the import went through");
    } catch (const IoError& e) {
        for (const QString& p : parts)
            QVERIFY2(e.message().contains(p), qPrintable(e.message()));
    }
    QCOMPARE(dir.read(kDb), before);
}

void TestCallbook::ulsImport() {
    TestFolder dir;
    // Field layouts of the dump: HD call 5, status 6; AM class 6; EN type 6,
    // entity name 8, first/mi/last/suffix 9-12, fax 14, e-mail 15,
    // street/city/state/zip/PO box 16-20.
    dir.write(QStringLiteral("HD.dat"),
              "HD|101|0001||K1ABC|A|HA|01/02/2020|01/02/2030|||\r\n"
              "HD|102|0002||W1OLD|E|HA|01/02/2000|01/02/2010|||\r\n"
              "HD|103|0003||W1AW|A|HV|01/02/2020|01/02/2030|||\r\n"
              "HD|104|0004||N2DUP|A|HA|||||\r\n"
              "HD|105|0005||N2DUP|A|HA|||||\r\n"
              "HD|106|0006\r\n"
              "HD|107|0007||K3SPL|A|HA|||||\r\n");
    dir.write(QStringLiteral("AM.dat"), "AM|101|0001||K1ABC|E|D|1||||\r\n"
                                        "AM|102|0002||W1OLD|T|D|1||||\r\n"
                                        "AM|104|0004||N2DUP|T|||||\r\n"
                                        "AM|105|0005||N2DUP|G|||||\r\n");
    dir.write(QStringLiteral("EN.dat"),
              "stray text before the first record\r\n"
              "EN|101|0001||K1ABC|CL||SMITH, JOHN A|JOHN|A|SMITH|JR|||j@x.com||||||||\r\n"
              "EN|101|0001||K1ABC|L||SMITH, JOHN A|JOHN|A|SMITH|JR||555-0100|john@example.com|12 Elm St|Hartford|CT|061031234|||\r\n"
              "EN|102|0002||W1OLD|L||OLD, MAN|OLD||MAN|||||1 Road|Town|MA|01000|||\r\n"
              "EN|103|0003||W1AW|L||ARRL, INC.|||||||||Newington|CT|06111|PO 1||\r\n"
              "EN|105|0005||N2DUP|L||NEW, ONE|ONE||NEW||||||Albany|NY|12207|||\r\n"
              "EN|107|0007||K3SPL|L||SPLIT|MARY||SPLIT||||m@x.org|1 Line\r\n"
              "Break Rd|Erie|PA|16501|||\r\n");
    const CallbookImportResult result = CallbookImport::importUls(dir.path(), dir.file(kDb));
    QCOMPARE(result.inactive, 1);
    QCOMPARE(result.written, 4);
    QCOMPARE(result.replaced, 1);
    // The short HD line and the stray EN line; the EN record broken over two
    // lines is put together.
    QCOMPARE(result.notes.size(), 2);
    QVERIFY2(result.notes[0].contains("HD.dat") && result.notes[0].contains(" 6:"), qPrintable(result.notes.join('|')));
    QVERIFY2(result.notes[1].contains("EN.dat") && result.notes[1].contains(" 1:"), qPrintable(result.notes.join('|')));

    const CallBook book = callBookIn(dir);
    QCOMPARE(fieldsOf(book.GetCallInfo(QStringLiteral("k1abc"))),
             (QStringList{"K1ABC", "12 Elm St, Hartford, CT 06103-1234", "Licence Class: E", "", "Fax-Number: 555-0100",
                          "e-Mail: john@example.com", "JOHN A SMITH JR"}));
    QCOMPARE(book.GetCallInfo(QStringLiteral("W1OLD")).ErrorCode, 32000);
    QCOMPARE(fieldsOf(book.GetCallInfo(QStringLiteral("W1AW"))),
             (QStringList{"W1AW", "PO Box PO 1, Newington, CT 06111", "", "", "", "", "ARRL INC."}));
    const CallInfo dup = book.GetCallInfo(QStringLiteral("N2DUP"));
    QCOMPARE(dup.Name + u'|' + dup.Licence, QStringLiteral("ONE NEW|Licence Class: G"));
    QCOMPARE(fieldsOf(book.GetCallInfo(QStringLiteral("K3SPL"))),
             (QStringList{"K3SPL", "1 Line Break Rd, Erie, PA 16501", "", "", "", "e-Mail: m@x.org", "MARY SPLIT"}));
}

void TestCallbook::ulsMissingFile() {
    TestFolder dir;
    dir.write(QStringLiteral("HD.dat"), "HD|1|||K1ABC|A|HA\r\n");
    dir.write(QStringLiteral("EN.dat"), "");
    try {
        CallbookImport::importUls(dir.path(), dir.file(kDb));
        QFAIL("imported without AM.dat");
    } catch (const IoError& e) {
        QVERIFY2(e.message().contains("AM.dat"), qPrintable(e.message()));
    }
    QVERIFY(!QFile::exists(dir.file(kDb)));
}

void TestCallbook::settingsSection() {
    Settings s;
    // Files of older versions spell the e-mail key "Email".
    TestFolder dir;
    dir.write(QStringLiteral("Vesk.ini"), "[RAC]\r\nFileName=/x/Callbook.vcb\r\nVorname=1\r\nEmail=1\r\n");
    s.setFileName(dir.file(QStringLiteral("Vesk.ini")));
    QVERIFY(s.load());
    QCOMPARE(CallbookSettings::fileName(s), QStringLiteral("/x/Callbook.vcb"));
    CallbookSelection c = CallbookSettings::selection(s);
    QVERIFY(c.firstName && c.email && !c.name && !c.address);
    c.fax = true;
    CallbookSettings::setSelection(s, c);
    const QByteArray written = s.serialize();
    QVERIFY2(written.contains("FaxNr=1") && written.contains("Vorname=1"), written.constData());
    QCOMPARE(CallbookSettings::selection(s).fax, true);
    // No file, no callbook.
    QVERIFY(!CallBook::forDatabaseFile(QString()).has_value());
    QVERIFY(!CallBook::forDatabaseFile(dir.file(kDb)).has_value());
    QString why;
    QCOMPARE(CallbookImport::databasePath(dir.path(), &why), dir.file(kDb));
    QVERIFY(CallbookImport::databasePath(dir.file(QStringLiteral("other.db")), &why).isEmpty());
    QVERIFY(why.contains("other.db"));
}

void TestCallbook::batchCommands() {
    TestFolder dir;
    dir.write(QStringLiteral("in.txt"), "DL1ABC;Hans Meier;Ort;A\r\nDL1ABC;Hans Meier, jun.;Ort 2\r\n");
    CliRun r = cli({"--folder", dir.path(), "callbook-import", "--text", dir.file("in.txt"), dir.path()});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QString::fromUtf8(": 1 Rufzeichen gespeichert (0 nicht aktive Lizenzen übergangen, 1 Einträge")),
             qPrintable(r.out));
    QVERIFY2(r.err.contains(QStringLiteral("Zeile 2: DL1ABC stand schon in Zeile 1")), qPrintable(r.err));
    r = cli({"--folder", dir.path(), "callbook", "--database", dir.file(kDb), " dl1abc "});
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.contains(QStringLiteral("Name=Hans Meier jun.\n")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("Adresse=Ort 2\n")));
    // Not found: the error text and the code, exit status 1.
    r = cli({"--folder", dir.path(), "callbook", "--database", dir.path(), "XX1XX"});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.err.contains(QStringLiteral(": 32000")), qPrintable(r.err));
    // Without --database the settings name the database.
    r = cli({"--folder", dir.path(), "callbook", "DL1ABC"});
    QCOMPARE(r.status, 1);
    dir.write(QStringLiteral("Vesk.ini"), "[RAC]\r\nFileName=" + dir.file(kDb).toUtf8() + "\r\n");
    r = cli({"--folder", dir.path(), "callbook", "DL1ABC"});
    QCOMPARE(r.status, 0);
    // Wrong usage.
    QCOMPARE(cli({"callbook-import", "--uls", dir.path(), "--text", "x", dir.path()}).status, 2);
    QCOMPARE(cli({"callbook-import", dir.path()}).status, 2);
    QCOMPARE(cli({"callbook"}).status, 2);
    r = cli({"callbook-import", "--text", dir.file("in.txt"), dir.file("other.db")});
    QCOMPARE(r.status, 1);
    QVERIFY(r.err.contains(QStringLiteral("Callbook.vcb")));
}

QTEST_GUILESS_MAIN(TestCallbook)
#include "test_callbook.moc"
