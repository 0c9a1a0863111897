#include "SampleLog.h"
#include "FindControl.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"
#include "app/ui/LanguageApplier.h"
#include "session/Session.h"
#include "converter/ui/LogConverterForm.h"
#include "logstore/QsoRecord.h"
#include "settings/LanguageFile.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

namespace {

// What the file dialogs were opened with, one "title|folder|filter|suffix" each.
QStringList shownDialogs(const ScriptedDialogs& dialogs) {
    QStringList out;
    for (const auto& d : dialogs.fileDialogs)
        out << QStringList{d.title, d.folder, d.filter, d.suffix}.join(u'|');
    return out;
}

const QString kAdif = QStringLiteral("ADIF-Logs (*.adi)|*.adi|Alle Dateien (*.*)|*.*");
const QString kHtml = QStringLiteral("HTML-Dateien (*.htm;*.html)|*.htm;*.html|Alle Dateien (*.*)|*.*");
const QString kText = QStringLiteral("Textdateien (*.txt)|*.txt|Alle Dateien (*.*)|*.*");

QByteArray twoAdifRecords() {
    return "Aus einem anderen Programm <EOH>\r\n"
           "<CALL:5>DL1AB<QSO_DATE:8>20240102<TIME_ON:4>1230<BAND:3>20M<MODE:3>SSB<EOR>\r\n"
           "<call:4>F5XY <qso_date:8>20240103<time_on:6>083000<band:2>2M<mode:2>FM<comment:3>QRP<eor>\r\n";
}

QStringList calls(const QList<QsoRecord>& records) {
    QStringList out;
    for (const QsoRecord& r : records)
        out << r[QsoRecord::Call];
    return out;
}

QStringList numbers(const QList<QsoRecord>& records) {
    QStringList out;
    for (const QsoRecord& r : records)
        out << r[QsoRecord::Number];
    return out;
}

// The wizard on a prepared program folder, driven with clicks and keys.
struct Wizard {
    explicit Wizard(const TestFolder& dir) : session(dir.path(), clock, dialogs), form(session) {
        form.showWizard();
        if (!QTest::qWaitForWindowExposed(&form)) qWarning("wizard not shown");
    }
    template <typename T> T* find(const char* name) const { return findControl<T>(form, name); }
    QString title() const { return find<QLabel>("TitleLabel")->text(); }
    void click(const char* button) { QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton); }
    void next() { click("NextBtn"); }
    // On the indicator: a radio button stretched over the page only takes
    // clicks near its text.
    void choose(const char* radio) {
        auto* r = find<QRadioButton>(radio);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
    }
    void clickItem(const char* listName, const QString& text) {
        auto* list = find<QListWidget>(listName);
        const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        if (items.size() != 1) {
            qWarning("no entry %s in %s", qPrintable(text), listName);
            return;
        }
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }
    void selectLogs(const QStringList& names) {
        for (const QString& n : names)
            clickItem("LogListBox", n);
    }
    // From the start page through the log list of a job to its next page.
    void pickLogs(const char* job, const QStringList& names) {
        choose(job);
        next();
        selectLogs(names);
        next();
    }
    void type(const char* editName, const QString& text) {
        auto* edit = find<QLineEdit>(editName);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    QStringList listEntries(const char* listName) const {
        QStringList out;
        auto* list = find<QListWidget>(listName);
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }

    FakeClock clock;
    ScriptedDialogs dialogs;
    Session session;
    LogConverterForm form;
};

} // namespace

class TestConverterWizard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensAtTheStartPage();
    void exportEachFormat_data();
    void exportEachFormat();
    void overwriteQuestion();
    void cancelledExportDialogEmptiesTheName();
    void logListNeedsAChoice_data();
    void logListNeedsAChoice();
    void importAdif_data();
    void importAdif();
    void importChecksFileAndLogName();
    void failedImportLeavesTheLogAlone();
    void importHtmlThroughTheColumnGrid();
    void repairRenumbersOnlyTheChosenLogs();
    void failedRepairKeepsTheAbortQuestion();
    void joinIntoANewLog();
    void joinOntoOneOfItsSourcesIsRefused();
    void abortQuestion();
    void jobKeepsTheWindowAliveButLocked();
    void openLogFollowsAJob();
    void languageFile();
};

void TestConverterWizard::opensAtTheStartPage() {
    TestFolder dir;
    dir.writeLog("a.log", {});
    Wizard w(dir);
    QCOMPARE(w.title(), QString("Was willst du tun?"));
    for (const char* r : {"ImportRadioBtn", "ExportRadioBtn", "RepairRadioBtn", "VerbindenRadioBtn"})
        QVERIFY2(!w.find<QRadioButton>(r)->isChecked(), r);
    QVERIFY(!w.find<QRadioButton>("TrennenRadioBtn")->isVisible());
    // Nothing chosen: "Weiter >" stays; "< Zurück" has nowhere to go.
    w.next();
    w.click("BackBtn");
    QCOMPARE(w.form.step(), LogConverterForm::Step::Start);
    QVERIFY(w.dialogs.errors.isEmpty());
    // Cabrillo and fixed-width text have no import: offered greyed, with a reason.
    w.choose("ImportRadioBtn");
    w.next();
    for (const char* r : {"ImpCabrilloRadioBtn", "ImpTxtFestRadioBtn"}) {
        QVERIFY2(!w.find<QRadioButton>(r)->isEnabled(), r);
        QVERIFY2(w.find<QRadioButton>(r)->toolTip().contains("keinen Import"), r);
    }
    QVERIFY(w.find<QRadioButton>("ImpAdifRadioBtn")->isChecked());
}

void TestConverterWizard::exportEachFormat_data() {
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("perRecord"); // occurs once for each exported contact
    QTest::addColumn<int>("extra");            // ... and this many times more
    QTest::newRow("ADIF") << "ExpAdifRadioBtn"
                          << "Export ADIF ...|%1|" + kAdif + "|adf"
                          << "out.adi" << QByteArray("<EOR>") << 0;
    QTest::newRow("HTML") << "ExpHtmlRadioBtn"
                          << "Export HTML ...|%1|" + kHtml + "|htm"
                          << "out.htm" << QByteArray(" <tr>") << 1;
    QTest::newRow("Text") << "ExpTxtFestRadioBtn"
                          << "Export Text (feste Breite) ...|%1|" + kText + "|txt"
                          << "out.txt" << QByteArray("\r\n") << 4;
}

void TestConverterWizard::exportEachFormat() {
    QFETCH(QString, radio);
    QFETCH(QString, dialog);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, perRecord);
    QFETCH(int, extra);
    TestFolder dir;
    // Calls no other contact's call contains, so that finding one in the
    // export means its contact was exported.
    QList<QsoRecord> a = SampleLog::make(3, 7);
    for (int i = 0; i < a.size(); ++i)
        a[i][QsoRecord::Call] = QStringLiteral("DA0NOT%1").arg(QChar(u'A' + i));
    const QList<QsoRecord> b = SampleLog::make(2, 8);
    SampleLog::write(dir.file("a.log"), a);
    SampleLog::write(dir.file("b.log"), b);
    Wizard w(dir);
    w.choose("ExportRadioBtn");
    w.next();
    QCOMPARE(w.title(), QString("2.1 Aus welchen Vesk-Dateien sollen die Daten exportiert werden?"));
    QCOMPARE(w.listEntries("LogListBox"), QStringList({"a.log", "b.log"}));
    w.selectLogs({"b.log"});
    w.next();
    QCOMPARE(w.title(), QString("2.2 In welche Datei und in welches Format soll exportiert werden?"));
    w.choose(qPrintable(radio));
    w.dialogs.fileAnswers = {dir.file(fileName)};
    w.click("ExportBrowseBtn");
    QCOMPARE(shownDialogs(w.dialogs), QStringList{dialog.arg(dir.path())});
    QCOMPARE(w.find<QLineEdit>("ExportEdit")->text(), dir.file(fileName));
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList());
    QCOMPARE(w.title(), QString("2.3 Fertig!"));
    QVERIFY(!w.form.inProgress());

    const QByteArray out = dir.read(fileName);
    QCOMPARE(int(out.count(perRecord)), b.size() + extra);
    for (const QsoRecord& r : b)
        QVERIFY2(out.contains(r[QsoRecord::Call].toLatin1()), qPrintable(r[QsoRecord::Call]));
    for (const QsoRecord& r : a)
        QVERIFY2(!out.contains(r[QsoRecord::Call].toLatin1()), qPrintable(r[QsoRecord::Call]));
    // A finished job closes without the abort question.
    w.click("CloseBtn");
    QVERIFY(w.dialogs.questions.isEmpty());
    QVERIFY(!w.form.isVisible());
}

void TestConverterWizard::overwriteQuestion() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(3, 1));
    dir.write("out.adi", "alt");
    Wizard w(dir);
    w.pickLogs("ExportRadioBtn", {"a.log"});
    w.type("ExportEdit", "out.adi");
    w.dialogs.questionAnswers = {false};
    w.next();
    QCOMPARE(w.dialogs.questions,
             QStringList{QString::fromUtf8("Die Datei \"out.adi\" existiert.\nÜberschreiben?")});
    QCOMPARE(dir.read("out.adi"), QByteArray("alt"));
    QCOMPARE(w.form.step(), LogConverterForm::Step::ExportFile);
    QVERIFY(w.form.inProgress());

    w.dialogs.questionAnswers = {true};
    w.next();
    QCOMPARE(w.dialogs.questions.size(), 2);
    QCOMPARE(w.form.step(), LogConverterForm::Step::ExportDone);
    QCOMPARE(int(dir.read("out.adi").count("<EOR>")), 3);
}

void TestConverterWizard::cancelledExportDialogEmptiesTheName() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(1, 1));
    Wizard w(dir);
    w.pickLogs("ExportRadioBtn", {"a.log"});
    w.type("ExportEdit", "x.adi");
    w.click("ExportBrowseBtn"); // no answer: cancelled
    QCOMPARE(w.find<QLineEdit>("ExportEdit")->text(), QString());
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList{"Keine Datei, in die exportiert werden soll, angegeben!"});
    QCOMPARE(w.form.step(), LogConverterForm::Step::ExportFile);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.log"});
}

void TestConverterWizard::logListNeedsAChoice_data() {
    QTest::addColumn<QString>("radio");
    QTest::addColumn<LogConverterForm::Step>("step");
    QTest::newRow("export") << "ExportRadioBtn" << LogConverterForm::Step::ExportLogs;
    QTest::newRow("repair") << "RepairRadioBtn" << LogConverterForm::Step::RepairLogs;
    QTest::newRow("join") << "VerbindenRadioBtn" << LogConverterForm::Step::JoinLogs;
}

void TestConverterWizard::logListNeedsAChoice() {
    QFETCH(QString, radio);
    QFETCH(LogConverterForm::Step, step);
    TestFolder dir;
    dir.writeLog("a.log", {});
    Wizard w(dir);
    w.choose(qPrintable(radio));
    w.next();
    QCOMPARE(w.form.step(), step);
    w.next();
    QCOMPARE(w.dialogs.errors,
             QStringList{QString::fromUtf8("Du musst mindestens eine Vesk-Datei auswählen!")});
    QCOMPARE(w.form.step(), step);
    // A second click on an entry takes it out of the choice again.
    w.selectLogs({"a.log", "a.log"});
    w.next();
    QCOMPARE(w.dialogs.errors.size(), 2);
    QCOMPARE(w.form.step(), step);
}

void TestConverterWizard::importAdif_data() {
    QTest::addColumn<QString>("typed");     // empty: picked from the list
    QTest::addColumn<QString>("logName");   // the log the contacts land in
    QTest::addColumn<QStringList>("calls"); // of that log afterwards
    QTest::newRow("new name without extension") << "2005"
                                                << "2005.log" << QStringList{"DL1AB", "F5XY"};
    QTest::newRow("name with another extension") << "2005.txt"
                                                 << "2005.txt" << QStringList{"DL1AB", "F5XY"};
    QTest::newRow("existing log from the list")
        << QString() << "a.log" << QStringList{"DK1OLD", "DL1AB", "F5XY"};
}

void TestConverterWizard::importAdif() {
    QFETCH(QString, typed);
    QFETCH(QString, logName);
    QFETCH(QStringList, calls);
    TestFolder dir;
    QList<QsoRecord> old = SampleLog::make(1, 3);
    old[0][QsoRecord::Call] = "DK1OLD";
    SampleLog::write(dir.file("a.log"), old);
    dir.write("fremd.adi", twoAdifRecords());
    Wizard w(dir);
    w.choose("ImportRadioBtn");
    w.next();
    QCOMPARE(w.title(), QString("1.1 Welches Format und welche Datei soll importiert werden?"));
    w.type("Import1Edit", "vorher.adi");
    w.dialogs.fileAnswers = {dir.file("fremd.adi")};
    w.click("Import1BrowseBtn");
    QCOMPARE(shownDialogs(w.dialogs), QStringList{"Import ADIF ...|" + dir.path() + "|" + kAdif + "|"});
    QCOMPARE(w.find<QLineEdit>("Import1Edit")->text(), dir.file("fremd.adi"));
    w.next();
    QCOMPARE(w.title(), QString("1.2 In welche Vesk-Datei sollen die Daten importiert werden?"));
    QCOMPARE(w.listEntries("TargetLogList"), QStringList{"a.log"});
    if (typed.isEmpty())
        w.clickItem("TargetLogList", logName);
    else
        w.type("TargetLogEdit", typed);
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList());
    QCOMPARE(w.title(), QString("1.5 Fertig!"));
    QCOMPARE(w.find<QLineEdit>("TargetLogEdit")->text(), logName);
    const QList<QsoRecord> records = SampleLog::read(dir.file(logName));
    QCOMPARE(::calls(records), calls);
    QStringList expectedNumbers;
    for (int i = 1; i <= calls.size(); ++i)
        expectedNumbers << QString::number(i);
    QCOMPARE(numbers(records), expectedNumbers);
    QCOMPARE(records.last()[QsoRecord::Comments], QString("QRP"));
}

void TestConverterWizard::importChecksFileAndLogName() {
    TestFolder dir;
    dir.write("fremd.adi", twoAdifRecords());
    QDir(dir.path()).mkdir("sub");
    Wizard w(dir);
    w.choose("ImportRadioBtn");
    w.next();
    w.next(); // no file named
    w.type("Import1Edit", "fehlt.adi");
    w.next();
    w.type("Import1Edit", "sub");
    w.next();
    QCOMPARE(w.dialogs.errors,
             QStringList({"Datei existiert nicht!",
                          "Datei existiert nicht!\n" + QDir::toNativeSeparators(dir.file("fehlt.adi")),
                          "Datei existiert nicht!\n" + QDir::toNativeSeparators(dir.file("sub"))}));
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportFile);
    w.dialogs.errors.clear();

    // A name relative to the program folder is found there.
    w.type("Import1Edit", "fremd.adi");
    w.next();
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportTarget);
    w.next();
    w.type("TargetLogEdit", "   ");
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList(2, QString::fromUtf8("Keine Vesk-Datei ausgewählt!")));
    w.type("TargetLogEdit", "../draussen");
    w.next();
    QCOMPARE(w.dialogs.errors.size(), 3);
    QVERIFY2(w.dialogs.errors.last().contains("../draussen") &&
                 w.dialogs.errors.last().contains("Programmordner"),
             qPrintable(w.dialogs.errors.last()));
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportTarget);
    QVERIFY(!QFileInfo::exists(dir.file("../draussen.log")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"fremd.adi"});

    // "< Zurück" keeps what was typed.
    w.click("BackBtn");
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportFile);
    QCOMPARE(w.find<QLineEdit>("Import1Edit")->text(), QString("fremd.adi"));
    w.click("Import1BrowseBtn"); // cancelled
    QCOMPARE(w.find<QLineEdit>("Import1Edit")->text(), QString());
}

// Which input the converter refuses is its own test's business; here the
// refusal reaches the operator and both targets stay as they were.
void TestConverterWizard::failedImportLeavesTheLogAlone() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(2, 5));
    const QByteArray before = dir.read("a.log");
    dir.write("kaputt.adi", "Nur ein Brief an Opa.\r\n");
    Wizard w(dir);
    w.choose("ImportRadioBtn");
    w.next();
    w.type("Import1Edit", "kaputt.adi");
    w.next();
    for (const QString& target : {QString("a.log"), QString("neu")}) {
        w.type("TargetLogEdit", target);
        w.next();
    }
    QCOMPARE(w.dialogs.errors.size(), 2);
    for (const QString& e : std::as_const(w.dialogs.errors))
        QVERIFY2(e.contains("kaputt.adi"), qPrintable(e));
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportTarget);
    QVERIFY(w.form.inProgress());
    QCOMPARE(dir.read("a.log"), before);
    QVERIFY(!QFileInfo::exists(dir.file("neu.log")));
}

void TestConverterWizard::importHtmlThroughTheColumnGrid() {
    TestFolder dir;
    dir.write("tabelle.html", "<html><body>\r\n"
                              "<table border=\"1\">\r\n"
                              "<tr><th>Call</th><th>Date</th><th>UTC</th><th>Band</th><th>Mode</th>"
                              "<th>Bemerkung</th></tr>\r\n"
                              "<tr><td>DL1AB</td><td>02.01.2024</td><td>12:30</td><td>20m</td><td>SSB</td>"
                              "<td>tnx &amp; 73</td></tr>\r\n"
                              "<tr><td>F5XY</td><td>03.01.2024</td><td>08:30</td><td>2m</td><td>FM</td>"
                              "<td>QRP</td></tr>\r\n"
                              "</table></body></html>\r\n");
    Wizard w(dir);
    w.choose("ImportRadioBtn");
    w.next();
    w.choose("ImpHtmlRadioBtn");
    w.dialogs.fileAnswers = {dir.file("tabelle.html")};
    w.click("Import1BrowseBtn");
    QCOMPARE(shownDialogs(w.dialogs), QStringList{"Import HTML ...|" + dir.path() + "|" + kHtml + "|"});
    w.next();
    w.type("TargetLogEdit", "html");
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList());
    QCOMPARE(w.title(), QString("1.4 Wie sollen die Daten zugeordnet werden?"));
    w.click("BackBtn");
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportTarget);
    QCOMPARE(w.find<QLineEdit>("TargetLogEdit")->text(), QString("html.log"));
    w.next();
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportGrid);

    auto* grid = w.find<QTableView>("StringGrid");
    auto* combo = w.find<QComboBox>("StringGridComboBox");
    auto heading = [&](int column) { return grid->model()->headerData(column, Qt::Horizontal).toString(); };
    auto clickCell = [&](int row, int column) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, column)).center());
    };
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(heading(0), QString("06 - Call"));
    QCOMPARE(heading(5), QString("00 - none"));
    QCOMPARE(combo->currentText(), QString("06 - Call"));
    clickCell(1, 5);
    QCOMPARE(combo->currentText(), QString("00 - none"));
    QSignalSpy headingChanged(grid->model(), &QAbstractItemModel::headerDataChanged);
    combo->setFocus();
    for (int i = 0; i < 14; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(heading(5), QString("14 - Comments"));
    // The view shows the new assignment only when told.
    QVERIFY(!headingChanged.isEmpty());
    QCOMPARE(headingChanged.last()[0].value<Qt::Orientation>(), Qt::Horizontal);
    QCOMPARE(headingChanged.last()[1].toInt(), 5);
    clickCell(0, 4);
    QCOMPARE(combo->currentText(), QString("05 - Mode"));
    clickCell(2, 5);
    QCOMPARE(combo->currentText(), QString("14 - Comments"));

    // Only digits go in; below 1 becomes 1; an empty field is refused.
    w.type("ImportStartZeileEdit", "x0");
    QCOMPARE(w.find<QLineEdit>("ImportStartZeileEdit")->text(), QString("1"));
    w.type("ImportStartZeileEdit", "");
    w.next();
    QCOMPARE(w.dialogs.errors.size(), 1);
    QVERIFY2(w.dialogs.errors[0].contains("Import beginnt in folgender Zeile"),
             qPrintable(w.dialogs.errors[0]));
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportGrid);
    QVERIFY(!QFileInfo::exists(dir.file("html.log")));

    w.type("ImportStartZeileEdit", "2");
    w.next();
    QCOMPARE(w.dialogs.errors.size(), 1);
    QCOMPARE(w.title(), QString("1.5 Fertig!"));
    const QList<QsoRecord> records = SampleLog::read(dir.file("html.log"));
    QCOMPARE(calls(records), QStringList({"DL1AB", "F5XY"}));
    QCOMPARE(records[0][QsoRecord::Comments], QString("tnx & 73"));
    QCOMPARE(records[0][QsoRecord::Date], QString("02.01.2024"));
    QCOMPARE(records[1][QsoRecord::Mode], QString("FM"));
    w.click("BackBtn"); // a finished page has no way back
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportDone);
}

void TestConverterWizard::repairRenumbersOnlyTheChosenLogs() {
    TestFolder dir;
    QList<QsoRecord> records = SampleLog::make(3, 11);
    records[0][QsoRecord::Number] = "7";
    records[1][QsoRecord::Number] = "7";
    records[2][QsoRecord::Number] = "2";
    SampleLog::write(dir.file("krumm.log"), records);
    SampleLog::write(dir.file("other.log"), records);
    const QByteArray other = dir.read("other.log");
    Wizard w(dir);
    w.choose("RepairRadioBtn");
    w.next();
    QCOMPARE(w.title(), QString("3.1 Welche Vesk-Dateien sollen korriegiert werden?"));
    w.selectLogs({"krumm.log"});
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList());
    QCOMPARE(w.title(), QString("3.2 Fertig!"));
    QVERIFY(!w.form.inProgress());
    const QList<QsoRecord> repaired = SampleLog::read(dir.file("krumm.log"));
    QCOMPARE(numbers(repaired), QStringList({"1", "2", "3"}));
    QCOMPARE(calls(repaired), calls(records));
    QCOMPARE(dir.read("other.log"), other);
}

void TestConverterWizard::failedRepairKeepsTheAbortQuestion() {
    TestFolder dir;
    dir.writeLog("bad.log", {"1;01.01.2024;12:00;20m;SSB;DL1AB;59;59;;;;;;;;;zu;viele;Felder"});
    Wizard w(dir);
    w.pickLogs("RepairRadioBtn", {"bad.log"});
    QCOMPARE(w.dialogs.errors.size(), 1);
    QVERIFY2(w.dialogs.errors[0].contains("bad.log"), qPrintable(w.dialogs.errors[0]));
    QCOMPARE(w.form.step(), LogConverterForm::Step::RepairDone);
    QVERIFY(w.form.inProgress());
    w.click("CloseBtn");
    QCOMPARE(w.dialogs.questions.size(), 1);
    QVERIFY(w.form.isVisible());
}

void TestConverterWizard::joinIntoANewLog() {
    TestFolder dir;
    const QList<QsoRecord> a = SampleLog::make(3, 21);
    const QList<QsoRecord> b = SampleLog::make(2, 22);
    SampleLog::write(dir.file("a.log"), a);
    SampleLog::write(dir.file("b.log"), b);
    dir.write("notiz.txt", "keine Logdatei");
    Wizard w(dir);
    w.choose("VerbindenRadioBtn");
    w.next();
    QCOMPARE(w.title(), QString::fromUtf8("4.1 Welche Vesk-Dateien sollen angehängt werden?"));
    QCOMPARE(w.listEntries("LogListBox"), QStringList({"a.log", "b.log"}));
    w.selectLogs({"a.log", "b.log"});
    w.next();
    QCOMPARE(w.title(), QString::fromUtf8("4.2 An welche Vesk-Datei sollen die Daten angehängt werden?"));
    w.click("BackBtn");
    QCOMPARE(w.form.step(), LogConverterForm::Step::JoinLogs);
    QCOMPARE(w.find<QListWidget>("LogListBox")->selectedItems().size(), 2);
    w.next();
    w.type("TargetLogEdit", "c");
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList());
    QCOMPARE(w.title(), QString("4.3 Fertig!"));
    const QList<QsoRecord> joined = SampleLog::read(dir.file("c.log"));
    QCOMPARE(calls(joined), calls(a) + calls(b));
    QCOMPARE(numbers(joined), QStringList({"1", "2", "3", "4", "5"}));

    // Back at the start: same job chosen, the new log offered, no name kept.
    w.click("GotoStartBtn");
    QCOMPARE(w.form.step(), LogConverterForm::Step::Start);
    QVERIFY(w.form.inProgress());
    QVERIFY(w.find<QRadioButton>("VerbindenRadioBtn")->isChecked());
    QCOMPARE(w.listEntries("TargetLogList"), QStringList({"a.log", "b.log", "c.log"}));
    QCOMPARE(w.find<QLineEdit>("TargetLogEdit")->text(), QString());
    QVERIFY(w.find<QListWidget>("LogListBox")->selectedItems().isEmpty());
}

void TestConverterWizard::joinOntoOneOfItsSourcesIsRefused() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(3, 31));
    SampleLog::write(dir.file("b.log"), SampleLog::make(2, 32));
    const QByteArray a = dir.read("a.log");
    Wizard w(dir);
    w.pickLogs("VerbindenRadioBtn", {"a.log", "b.log"});
    w.clickItem("TargetLogList", "a.log");
    QCOMPARE(w.find<QLineEdit>("TargetLogEdit")->text(), QString("a.log"));
    w.next();
    QCOMPARE(w.dialogs.errors.size(), 1);
    QVERIFY2(w.dialogs.errors[0].contains("a.log"), qPrintable(w.dialogs.errors[0]));
    QCOMPARE(w.form.step(), LogConverterForm::Step::JoinTarget);
    QCOMPARE(dir.read("a.log"), a);
}

void TestConverterWizard::abortQuestion() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(1, 41));
    Wizard w(dir);
    const QString question = "Der Vorgang ist noch nicht beendet, willst du wirklich abbrechen?";
    w.click("CancelBtn"); // right after opening
    QCOMPARE(w.dialogs.questions, QStringList{question});
    QVERIFY(w.form.isVisible());

    w.pickLogs("ExportRadioBtn", {"a.log"});
    w.type("ExportEdit", "halb.adi");
    w.click("CancelBtn");
    QTest::keyClick(&w.form, Qt::Key_Escape);
    QCOMPARE(w.dialogs.questions, QStringList(3, question));
    QVERIFY(w.form.isVisible());
    QCOMPARE(w.form.step(), LogConverterForm::Step::ExportFile);
    QCOMPARE(w.find<QLineEdit>("ExportEdit")->text(), QString("halb.adi"));

    w.dialogs.questionAnswers = {true};
    w.click("CancelBtn");
    QVERIFY(!w.form.isVisible());
    QVERIFY(!QFileInfo::exists(dir.file("halb.adi")));
    w.type("TargetLogEdit", "stale");
    w.form.showWizard();
    QCOMPARE(w.form.step(), LogConverterForm::Step::Start);
    QCOMPARE(w.title(), QString("Was willst du tun?"));
    QCOMPARE(w.find<QLineEdit>("TargetLogEdit")->text(), QString());
    QVERIFY(w.form.inProgress());
}

void TestConverterWizard::jobKeepsTheWindowAliveButLocked() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(3000, 51));
    Wizard w(dir);
    w.pickLogs("ExportRadioBtn", {"a.log"});
    w.type("ExportEdit", "gross.adi");
    bool sawJob = false;
    // A timer fires only while the job lets events through.
    QTimer::singleShot(0, &w.form, [&] {
        sawJob = true;
        QVERIFY(w.find<QProgressBar>("ProgressBar")->isVisible());
        QVERIFY(!w.find<QPushButton>("NextBtn")->isEnabled());
        QVERIFY(!w.find<QPushButton>("CancelBtn")->isEnabled());
        QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        w.form.close(); // refused without a question while the job runs
    });
    w.next();
    QVERIFY(sawJob);
    QVERIFY(w.dialogs.questions.isEmpty());
    QVERIFY(w.form.isVisible());
    QCOMPARE(w.form.step(), LogConverterForm::Step::ExportDone);
    QVERIFY(!w.find<QProgressBar>("ProgressBar")->isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(int(dir.read("gross.adi").count("<EOR>")), 3000);
}

void TestConverterWizard::openLogFollowsAJob() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(3, 61));
    SampleLog::write(dir.file("b.log"), SampleLog::make(2, 62));
    Wizard w(dir);
    QCOMPARE(w.session.chooseLog("a.log"), Session::Choice::Opened);
    QVERIFY(w.session.reloadRows());
    QCOMPARE(w.session.model().recordCount(), 3);
    QSignalSpy changed(&w.form, &LogConverterForm::logsChanged);
    w.pickLogs("VerbindenRadioBtn", {"b.log"});
    w.clickItem("TargetLogList", "a.log");
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList());
    QCOMPARE(w.session.model().recordCount(), 5);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toStringList(), QStringList{dir.file("a.log")});
}

void TestConverterWizard::languageFile() {
    TestFolder dir;
    dir.installLanguageFiles();
    const QStringList english = LanguageFile::read(dir.file("english.lng"));
    Wizard w(dir);
    w.choose("ImportRadioBtn");
    w.next();
    // Every text and control of the window that the language file names exists here.
    const QStringList missing = LanguageApplier({&w.form}).apply(english).filter("LogConverterForm/");
    QCOMPARE(missing, QStringList());
    w.session.setLanguageLines(english);
    w.form.applyLanguage();
    QCOMPARE(w.title(), QString("1.1 Which format and which file do you want to import?"));
    QCOMPARE(w.find<QPushButton>("NextBtn")->text(), QString("Next >"));
    QCOMPARE(w.find<QLabel>("ImportLabel")->text(),
             QString("Import data from text, ADIF or HTML files into the Vesk format"));
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList{"File does not exist!"});
    w.click("BackBtn");
    QCOMPARE(w.title(), QString("What do you want to do?"));

    // A language file that ends early leaves no page without its title.
    w.session.setLanguageLines(english.mid(0, 200));
    w.form.applyLanguage();
    QCOMPARE(w.title(), QString("Was willst du tun?"));
}

VESK_TEST_MAIN(TestConverterWizard)
#include "test_converterwizard.moc"
