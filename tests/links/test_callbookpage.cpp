#include "app/ui/StatusBarArea.h"
#include "links/CallbookImport.h"
#include "StartedProgram.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

const QByteArray kEntries = "DL1ABC;Vorname Nachname;Strasse 1, 12345 Ort;A;OV G01;;dl1abc@example.org\r\n"
                            "DL2XYZ;;Nachname Strasse 2 Ort\r\n";

// The program on a fresh folder whose callbook database holds kEntries;
// rac is the section "RAC" without the database line ("-" for no
// database at all, "missing" for one named that does not exist).
struct Callbook : TestFolder {
    explicit Callbook(const QByteArray& rac) {
        QByteArray settings = "UtcDiffAuto=0\r\nUtcDiff=0\r\n[StatusBar]\r\nText=RAC_VERSION\r\n[RAC]\r\n";
        if (rac == "missing") {
            settings += "FileName=" + file(QStringLiteral("gone/Callbook.vcb")).toUtf8() + "\r\nName=1\r\n";
        } else if (rac != "-") {
            write(QStringLiteral("in.txt"), kEntries);
            CallbookImport::importText(file(QStringLiteral("in.txt")), file(QStringLiteral("Callbook.vcb")));
            settings += "FileName=" + file(QStringLiteral("Callbook.vcb")).toUtf8() + "\r\n" + rac;
        }
        prepareProgram({}, settings);
    }
};

void lookUp(StartedProgram& p, const QString& call) {
    auto* callEdit = p.find<QLineEdit>("CallEdit");
    callEdit->setFocus();
    QTest::keyClicks(callEdit, call);
    QTest::keyClick(callEdit, Qt::Key_B, Qt::ControlModifier);
}

QString nameText(StartedProgram& p) { return p.find<QLineEdit>("NameEdit")->text(); }
QString commentsText(StartedProgram& p) { return p.find<QPlainTextEdit>("CommentsMemo")->toPlainText(); }

} // namespace

class TestCallbookPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lookupFillsMaskAndLog();
    void lookups_data();
    void lookups();
    void optionsTabWritesSettings();
    void statusBarVersion();
};

void TestCallbookPage::lookupFillsMaskAndLog() {
    Callbook dir("Name=1\r\nAdresse=1\r\nLicence=1\r\nComment=1\r\nEMail=1\r\n");
    StartedProgram p(dir);
    auto* memo = p.find<QPlainTextEdit>("CommentsMemo");
    memo->setPlainText(QStringLiteral("schon da"));
    lookUp(p, QStringLiteral("dl1abc"));
    QVERIFY2(p.dialogs.errors.isEmpty(), qPrintable(p.dialogs.errors.join('|')));
    QCOMPARE(nameText(p), QStringLiteral("Vorname Nachname"));
    QCOMPARE(commentsText(p), QStringLiteral("schon da\nStrasse 1, 12345 Ort\nLicence Class: A\nOV G01\n"
                                             "e-Mail: dl1abc@example.org"));
    // The contact is saved with what the lookup filled in.
    auto* callEdit = p.find<QLineEdit>("CallEdit");
    QTest::keyClick(callEdit, Qt::Key_Return);
    for (const char* rst : {"599", "579"}) {
        QTest::keyClicks(QApplication::focusWidget(), rst);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    // DOK, locator, QTH, name, Comments and the two card fields.
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const QStringList lines = dir.logLines();
    QCOMPARE(lines.size(), 1);
    const QStringList fields = lines[0].split(u';');
    QCOMPARE(fields.value(5), QStringLiteral("DL1ABC"));
    QCOMPARE(fields.value(9), QStringLiteral("Vorname Nachname"));
    QCOMPARE(fields.value(13), QStringLiteral("schon da#13#10Strasse 1, 12345 Ort#13#10Licence Class: A#13#10OV G01#13#10"
                                              "e-Mail: dl1abc@example.org"));
}

void TestCallbookPage::lookups_data() {
    QTest::addColumn<QByteArray>("rac");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("comments");
    QTest::addColumn<QString>("error"); // the one message shown, or empty
    QTest::newRow("no name: name untouched")
        << QByteArray("Name=1\r\nAdresse=1\r\n") << "dl2xyz" << "Alt" << "Nachname Strasse 2 Ort" << "";
    QTest::newRow("nothing ticked changes nothing") << QByteArray() << "DL1ABC" << "Alt" << "" << "";
    QTest::newRow("not found") << QByteArray("Name=1\r\n") << "DL9NIX" << "Alt" << ""
                               << "Call nicht im Callbook gefunden: 32000";
    const QString text14 = QString::fromUtf8("Kein Callbook eingestellt! Bitte auf der Options-Seite \"RAC\" "
                                             "die Callbook-Datenbank (Callbook.vcb) angeben und Vesk neu starten.");
    QTest::newRow("no callbook") << QByteArray("-") << "DL1ABC" << "Alt" << "" << text14;
    QTest::newRow("database file gone") << QByteArray("missing") << "DL1ABC" << "Alt" << "" << text14;
}

void TestCallbookPage::lookups() {
    QFETCH(QByteArray, rac);
    QFETCH(QString, call);
    QFETCH(QString, name);
    QFETCH(QString, comments);
    QFETCH(QString, error);
    Callbook dir(rac);
    StartedProgram p(dir);
    QTest::keyClicks(p.find<QLineEdit>("NameEdit"), QStringLiteral("Alt"));
    lookUp(p, call);
    QCOMPARE(p.dialogs.errors, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(nameText(p), name);
    QCOMPARE(commentsText(p), comments);
}

void TestCallbookPage::optionsTabWritesSettings() {
    Callbook dir("Name=1\r\n");
    StartedProgram p(dir);
    auto* firstName = p.find<QCheckBox>("VornameCallBookChkBox");
    QVERIFY(p.find<QCheckBox>("NameCallBookChkBox")->isChecked());
    QVERIFY(!firstName->isChecked());
    firstName->click();
    QVERIFY(dir.read(QStringLiteral("Vesk.ini")).contains("Vorname=1"));
    QVERIFY(dir.read(QStringLiteral("Vesk.ini")).contains("EMail=0"));
    // The box counts at once.
    p.find<QCheckBox>("NameCallBookChkBox")->click();
    lookUp(p, QStringLiteral("DL1ABC"));
    QCOMPARE(nameText(p), QStringLiteral("Vorname"));

    // "..." offers the database file; the choice is stored for the next start.
    p.dialogs.fileAnswers << dir.file(QStringLiteral("neu/Callbook.vcb"));
    p.find<QPushButton>("CallBookBtn")->click();
    QCOMPARE(p.dialogs.fileDialogs.size(), 1);
    QCOMPARE(p.dialogs.fileDialogs[0].title, QStringLiteral("Callbook-Datenbank suchen"));
    QVERIFY(p.dialogs.fileDialogs[0].filter.endsWith(QStringLiteral("|Callbook.vcb")));
    QCOMPARE(p.find<QLineEdit>("CallBookEdit")->text(), dir.file(QStringLiteral("neu/Callbook.vcb")));
    QVERIFY(dir.read(QStringLiteral("Vesk.ini")).contains("FileName=" + dir.file(QStringLiteral("neu/Callbook.vcb")).toUtf8()));
    // This run keeps the database it started with.
    p.find<QLineEdit>("CallEdit")->clear();
    lookUp(p, QStringLiteral("DL1ABC"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestCallbookPage::statusBarVersion() {
    for (const QByteArray& rac : {QByteArray(), QByteArray("-")}) {
        Callbook dir(rac);
        StartedProgram p(dir);
        StatusBarArea& bar = p.w.statusBarArea();
        bar.StatusBarTimerTimer();
        QCOMPARE(bar.shownText(), rac == "-" ? QStringLiteral("0") : QStringLiteral("1"));
    }
}

QTEST_MAIN(TestCallbookPage)
#include "test_callbookpage.moc"
