#include "FindControl.h"
#include "SampleLog.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"
#include "converter/ui/LogConverterForm.h"
#include "logstore/QsoRecord.h"
#include "session/Session.h"
#include "settings/LanguageFile.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTimer>
#include <QtTest>

// The operator's paths through the real window. Which bytes each format
// writes or refuses is the business of test_adif and test_htmltext.
namespace {

QStringList column(const QList<QsoRecord>& records, QsoRecord::Field field) {
    QStringList out;
    for (const QsoRecord& r : records)
        out << r[field];
    return out;
}

struct Wizard {
    explicit Wizard(const TestFolder& dir) : session(dir.path(), clock, dialogs), form(session) {
        form.showWizard();
        if (!QTest::qWaitForWindowExposed(&form)) qWarning("wizard not shown");
    }
    template <typename T> T* find(const char* name) const { return findControl<T>(form, name); }
    QString title() const { return find<QLabel>("TitleLabel")->text(); }
    QString text(const char* edit) const { return find<QLineEdit>(edit)->text(); }
    void click(const char* button) { QTest::mouseClick(find<QAbstractButton>(button), Qt::LeftButton); }
    void next() { click("NextBtn"); }
    void start(const char* job) { choose(job); next(); }
    // A radio button stretched over the page only takes clicks near its text.
    void choose(const char* radio) {
        auto* r = find<QRadioButton>(radio);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
    }
    void clickItem(const char* listName, const QString& text) {
        auto* list = find<QListWidget>(listName);
        const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(items.size() == 1, qPrintable(text));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }
    // From the start page through the log list of a job to its next page.
    void pickLogs(const char* job, const QStringList& names) {
        start(job);
        for (const QString& n : names)
            clickItem("LogListBox", n);
        next();
    }
    void type(const char* editName, const QString& text) {
        auto* edit = find<QLineEdit>(editName);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
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
    void exportWithOverwriteQuestion();
    void importAdifOntoALog();
    void importErrorsLeaveTheLogAlone();
    void wideHtmlTableShownInPart();
    void joinOntoTheOpenLog();
    void cancelLeavesTheFilesAlone();
    void jobKeepsTheWindowAliveButLocked();
    void shortLanguageFileKeepsTheTitles();
};

void TestConverterWizard::exportWithOverwriteQuestion() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(3, 7));
    SampleLog::write(dir.file("b.log"), SampleLog::make(2, 8));
    dir.write("out.adi", "alt");
    Wizard w(dir);
    w.start("ExportRadioBtn");
    w.next(); // no log chosen
    QCOMPARE(w.dialogs.errors, QStringList{QString::fromUtf8("Du musst mindestens eine Vesk-Datei auswählen!")});
    w.clickItem("LogListBox", "b.log");
    w.next();
    w.choose("ExpAdifRadioBtn");
    w.dialogs.fileAnswers = {dir.file("out.adi")};
    w.click("ExportBrowseBtn");
    QCOMPARE(w.dialogs.fileDialogs.last().suffix, QStringLiteral("adi")); // what other programs look for
    w.next(); // "No" to the overwrite question
    QCOMPARE(w.dialogs.questions.size(), 1);
    QVERIFY2(w.dialogs.questions[0].contains("out.adi"), qPrintable(w.dialogs.questions[0]));
    QCOMPARE(dir.read("out.adi"), QByteArray("alt"));
    QCOMPARE(w.form.step(), LogConverterForm::Step::ExportFile);

    w.dialogs.questionAnswers = {true};
    w.next();
    QCOMPARE(w.dialogs.errors.size(), 1);
    QCOMPARE(w.form.step(), LogConverterForm::Step::ExportDone);
    QCOMPARE(int(dir.read("out.adi").count("<EOR>")), 2);
    // A finished job closes without the abort question.
    w.click("CloseBtn");
    QCOMPARE(w.dialogs.questions.size(), 2);
    QVERIFY(!w.form.isVisible());
}

void TestConverterWizard::importAdifOntoALog() {
    TestFolder dir;
    QList<QsoRecord> old = SampleLog::make(1, 3);
    old[0][QsoRecord::Call] = "DK1OLD";
    SampleLog::write(dir.file("a.log"), old);
    dir.write("fremd.adi", "Aus einem anderen Programm <EOH>\r\n"
                           "<CALL:5>DL1AB<QSO_DATE:8>20240102<TIME_ON:4>1230<BAND:3>20M<MODE:3>SSB<EOR>\r\n"
                           "<call:4>F5XY <qso_date:8>20240103<time_on:4>0830<band:2>2M<mode:2>FM<eor>\r\n"
                           "<qso_date:8>20240104<time_on:4>0900<band:2>2M<mode:2>FM<eor>\r\n");
    Wizard w(dir);
    w.start("ImportRadioBtn");
    w.dialogs.fileAnswers = {dir.file("fremd.adi")};
    w.click("Import1BrowseBtn");
    w.next();
    w.clickItem("TargetLogList", "a.log");
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList());
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportDone);
    // One record without a call is counted in the singular.
    QCOMPARE(w.find<QPlainTextEdit>("ResultMemo")->toPlainText().section(u'\n', 0, 0),
             QString("2 QSOs aus \"%1\" in \"a.log\" importiert, 1 Datensatz ohne Datum, Zeit, Band, Mode oder "
                     "Rufzeichen übersprungen. Das Log enthält jetzt 3 QSOs.")
                 .arg(QDir::toNativeSeparators(dir.file("fremd.adi"))));
    const QList<QsoRecord> records = SampleLog::read(dir.file("a.log"));
    QCOMPARE(column(records, QsoRecord::Call), QStringList({"DK1OLD", "DL1AB", "F5XY"}));
    QCOMPARE(column(records, QsoRecord::Number), QStringList({"1", "2", "3"}));
}

// Each refusal reaches the operator naming the file, and no log is touched.
void TestConverterWizard::importErrorsLeaveTheLogAlone() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(2, 5));
    const QByteArray before = dir.read("a.log");
    dir.write("kaputt.adi", "Nur ein Brief an Opa.\r\n");
    Wizard w(dir);
    w.start("ImportRadioBtn");
    w.type("Import1Edit", "fehlt.adi");
    w.next();
    QCOMPARE(w.dialogs.errors,
             QStringList{"Datei existiert nicht!\n" + QDir::toNativeSeparators(dir.file("fehlt.adi"))});
    // A name relative to the program folder is found there.
    w.type("Import1Edit", "kaputt.adi");
    w.next();
    for (const char* target : {"a.log", "neu", "../draussen"}) {
        w.type("TargetLogEdit", target);
        w.next();
        QVERIFY2(w.dialogs.errors.last().contains(target == QString("../draussen") ? "Programmordner" : "kaputt.adi"),
                 qPrintable(w.dialogs.errors.last()));
    }
    QCOMPARE(w.dialogs.errors.size(), 4);
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportTarget);
    QCOMPARE(dir.read("a.log"), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"a.log", "kaputt.adi"}));
    QVERIFY(!QFileInfo::exists(dir.file("../draussen.log")));
}

// A table far wider than a view can lay out shows its first columns, with
// cells cut short, and says so; the import still takes every cell whole,
// including a column beyond those shown.
void TestConverterWizard::wideHtmlTableShownInPart() {
    TestFolder dir;
    constexpr int columns = 150;
    const QString comment(1000, u'c');
    QString html = QStringLiteral("<table><tr><th>Call</th>");
    for (int c = 1; c < columns; ++c)
        html += c == 120 ? QStringLiteral("<th>Comments</th>") : QStringLiteral("<th>x</th>");
    html += QStringLiteral("</tr><tr><td>DL1ABC</td>");
    for (int c = 1; c < columns; ++c)
        html += QStringLiteral("<td>%1</td>").arg(c == 120 || c == 1 ? comment : QString());
    dir.write("breit.htm", (html + QStringLiteral("</tr></table>")).toLatin1());
    Wizard w(dir);
    w.start("ImportRadioBtn");
    w.choose("ImpHtmlRadioBtn");
    w.type("Import1Edit", "breit.htm");
    w.next();
    w.type("TargetLogEdit", "neu");
    w.next();
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportGrid);
    QCOMPARE(w.dialogs.infos.size(), 1);
    QVERIFY2(w.dialogs.infos[0].contains(QStringLiteral("breit.htm\": die breiteste Zeile der Tabelle hat 150 Spalten; "
                                                        "gezeigt und zuzuordnen sind die ersten 100")),
             qPrintable(w.dialogs.infos[0]));
    const QAbstractItemModel* shown = w.find<QTableView>("StringGrid")->model();
    QCOMPARE(shown->columnCount(), 100);
    QCOMPARE(shown->index(1, 1).data().toString(), QString(200, u'c') + QChar(0x2026));
    w.type("ImportStartZeileEdit", "2");
    w.next();
    QCOMPARE(w.form.step(), LogConverterForm::Step::ImportDone);
    const QList<QsoRecord> records = SampleLog::read(dir.file("neu.log"));
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0][QsoRecord::Call], QStringLiteral("DL1ABC"));
    QVERIFY(records[0][QsoRecord::Comments].startsWith(comment + QStringLiteral(" /"))); // Normalize adds its notes
}

// The log open in the main window shows the joined contacts at once.
void TestConverterWizard::joinOntoTheOpenLog() {
    TestFolder dir;
    const QList<QsoRecord> a = SampleLog::make(3, 61);
    const QList<QsoRecord> b = SampleLog::make(2, 62);
    SampleLog::write(dir.file("a.log"), a);
    SampleLog::write(dir.file("b.log"), b);
    const QByteArray bBytes = dir.read("b.log");
    Wizard w(dir);
    QCOMPARE(w.session.chooseLog("a.log"), Session::Choice::Opened);
    QVERIFY(w.session.reloadRows());
    QSignalSpy changed(&w.form, &LogConverterForm::logsChanged);
    w.pickLogs("VerbindenRadioBtn", {"b.log"});
    w.clickItem("TargetLogList", "a.log");
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList());
    const QList<QsoRecord> joined = SampleLog::read(dir.file("a.log"));
    QCOMPARE(column(joined, QsoRecord::Call), column(a, QsoRecord::Call) + column(b, QsoRecord::Call));
    QCOMPARE(column(joined, QsoRecord::Number), QStringList({"1", "2", "3", "4", "5"}));
    QCOMPARE(dir.read("b.log"), bBytes);
    QCOMPARE(w.session.model().recordCount(), 5);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toStringList(), QStringList{dir.file("a.log")});
}

void TestConverterWizard::cancelLeavesTheFilesAlone() {
    TestFolder dir;
    SampleLog::write(dir.file("a.log"), SampleLog::make(1, 41));
    const QByteArray before = dir.read("a.log");
    Wizard w(dir);
    w.pickLogs("ExportRadioBtn", {"a.log"});
    w.type("ExportEdit", "x.adi");
    w.click("ExportBrowseBtn"); // cancelled: the name goes
    w.next();
    QCOMPARE(w.dialogs.errors, QStringList{"Keine Datei, in die exportiert werden soll, angegeben!"});
    w.type("ExportEdit", "halb.adi");
    w.click("CancelBtn"); // "No"
    QTest::keyClick(&w.form, Qt::Key_Escape);
    QCOMPARE(w.dialogs.questions, QStringList(2, "Der Vorgang ist noch nicht beendet, willst du wirklich abbrechen?"));
    QCOMPARE(w.text("ExportEdit"), QString("halb.adi"));
    w.dialogs.questionAnswers = {true};
    w.click("CancelBtn");
    QVERIFY(!w.form.isVisible());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.log"});
    QCOMPARE(dir.read("a.log"), before);
    w.type("TargetLogEdit", "stale");
    w.form.showWizard(); // opens afresh at the start
    QCOMPARE(w.form.step(), LogConverterForm::Step::Start);
    QCOMPARE(w.text("TargetLogEdit"), QString());
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
        QVERIFY(!w.find<QPushButton>("NextBtn")->isEnabled() && !w.find<QPushButton>("CancelBtn")->isEnabled());
        QVERIFY(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        w.form.close(); // refused without a question while the job runs
    });
    w.next();
    QVERIFY(sawJob && w.dialogs.questions.isEmpty() && w.form.isVisible());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(int(dir.read("gross.adi").count("<EOR>")), 3000);
}

// A language file that ends early leaves no page without its title.
void TestConverterWizard::shortLanguageFileKeepsTheTitles() {
    TestFolder dir;
    dir.installLanguageFiles();
    const QStringList english = LanguageFile::read(dir.file("english.lng"));
    Wizard w(dir);
    w.session.setLanguageLines(english);
    w.form.applyLanguage();
    QCOMPARE(w.title(), QString("What do you want to do?"));
    w.session.setLanguageLines(english.mid(0, 200));
    w.form.applyLanguage();
    QCOMPARE(w.title(), QString("Was willst du tun?"));
}

VESK_TEST_MAIN(TestConverterWizard)
#include "test_converterwizard.moc"
