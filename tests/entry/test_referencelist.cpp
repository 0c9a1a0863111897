#include "entry/ui/EntryPage.h"
#include "entry/ui/LogGridView.h"
#include "entry/ReferenceLogs.h"
#include "settings/Settings.h"
#include "StartedProgram.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// The current log "2026.log" and two reference logs; slot 2 stays empty and
// slot 4 names a file that is not there.
void prepare(const TestFolder& dir, bool luxus, const QString& slot3 = {}) {
    dir.installLanguageFiles();
    dir.writeLog("2026.log", {"1;01.12.2026;10:00:00;40m;CW;Q1XYZ;599;599;B01;Hans;Berlin;JO62QM;5W;;;",
                              "2;01.12.2026;10:05:00;80m;CW;Q2AA;599;599;;Udo;;;50W;;;"});
    dir.writeLog("2024.log", {"1;01.05.2024;10:00:00;20m;SSB;Q1ABC/M;59;59;B05;Otto;Bonn;JO30RR;100W;;;",
                              "2;02.05.2024;10:00:00;20m;SSB;Q1ABC;59;59;X99;Jüngere;Zweitort;AA00AA;100W;;;",
                              "3;03.05.2024;11:00:00;20m;SSB;Q1ABD;59;59;b01;Ida;Ulm;JN48OJ;100W;;;"});
    dir.writeLog("2023.log", {"1;01.05.2023;10:00:00;15m;CW;Q1XYZ/P;599;599;B01;Hans;Harz;JO51AA;5W;;;"});
    const QString ini = QStringLiteral("[Allgemein]\r\nLastLogFileName=2026.log\r\n[Referenz-Logs]\r\n"
                                       "Log1=%1\r\nLog2=\r\nLog3=%2\r\nLog4=%3\r\nLuxusfunktion=%4\r\n")
                            .arg(dir.file("2024.log"), slot3.isEmpty() ? dir.file("2023.log") : slot3,
                                 dir.file("fehlt.log"), luxus ? "1" : "0");
    dir.write("Vesk.ini", ini.toUtf8());
}

QStringList column(const QAbstractItemModel* model, int c) {
    QStringList list;
    for (int r = 0; r < model->rowCount(); ++r)
        list << model->index(r, c).data().toString();
    return list;
}
QStringList calls(const QAbstractItemModel* model) { return column(model, 5); }

struct Mask {
    StartedProgram& p;
    QLineEdit* call() { return p.find<QLineEdit>("CallEdit"); }
    QLineEdit* dok() { return p.find<QLineEdit>("DokEdit"); }
    QLineEdit* name() { return p.find<QLineEdit>("NameEdit"); }
    QLineEdit* qth() { return p.find<QLineEdit>("QthEdit"); }
    QLineEdit* locator() { return p.find<QLineEdit>("LocatorEdit"); }
    QStringList fourFields() { return {dok()->text(), name()->text(), qth()->text(), locator()->text()}; }
    void ctrlR() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier); }
};

bool yellow(LogGridView* grid) { return grid->palette().color(QPalette::Base) != QColor(Qt::white) &&
                                        grid->palette().color(QPalette::Base).blue() < 200; }

} // namespace

class TestReferenceList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ctrlRFillsFromFirstMatch();
    void ctrlRWithUnreadableLog();
    void yellowListFollowsTheCall();
    void rowIsTakenOverIntoMask();
    void ctrlClickOpensOnlyOwnContacts();
    void unreadableReferenceLogShowsOneMessage();
    void optionsAreStored();
};

// Which contact is found is test_referencelogs'; here the mask takes it over.
void TestReferenceList::ctrlRFillsFromFirstMatch() {
    TestFolder dir;
    prepare(dir, false);
    StartedProgram p(dir);
    Mask m{p};
    m.call()->setFocus();
    QTest::keyClicks(m.call(), "q1abc/p");
    m.ctrlR();
    QCOMPARE(m.fourFields(), (QStringList{"B05", "Otto", "Bonn", "JO30RR"}));
    QCOMPARE(m.call()->text(), QStringLiteral("Q1ABC/P"));
    // An unknown call leaves what was typed; the standard mode keeps the log's list.
    m.name()->setText("Vor");
    m.call()->setText("Q9ZZZ");
    m.ctrlR();
    QCOMPARE(m.fourFields(), (QStringList{"B05", "Vor", "Bonn", "JO30RR"}));
    QCOMPARE(p.find<LogGridView>("Liste2StringGrid")->model(), &p.session.model());
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestReferenceList::ctrlRWithUnreadableLog() {
    TestFolder dir;
    // A directory where a log should be cannot be read.
    QDir(dir.path()).mkdir("kaputt.log");
    prepare(dir, false, dir.file("kaputt.log"));
    StartedProgram p(dir);
    Mask m{p};
    m.call()->setFocus();
    QTest::keyClicks(m.call(), "Q7NEW");
    m.ctrlR();
    QCOMPARE(p.dialogs.errors.size(), 1);
    QVERIFY2(p.dialogs.errors[0].contains("kaputt.log"), qPrintable(p.dialogs.errors[0]));
    QCOMPARE(m.fourFields(), QStringList({"", "", "", ""}));
    // The mask goes on working, and the busy pointer is gone.
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(QApplication::focusWidget(), m.call());
    QTest::keyClicks(m.call(), "/p");
    QCOMPARE(m.call()->text(), QStringLiteral("Q7NEW/P"));
    // A call found before the unreadable slot is still filled in.
    m.call()->setText("Q1ABC");
    m.ctrlR();
    QCOMPARE(m.fourFields(), (QStringList{"B05", "Otto", "Bonn", "JO30RR"}));
    QCOMPARE(p.dialogs.errors.size(), 1);
}

// How the rows are filtered is test_referencelogs'; here the list turns yellow
// with the first letter and white again when the call is emptied.
void TestReferenceList::yellowListFollowsTheCall() {
    TestFolder dir;
    prepare(dir, true);
    StartedProgram p(dir);
    Mask m{p};
    LogGridView* lower = p.find<LogGridView>("Liste2StringGrid");
    QVERIFY(!yellow(lower));
    m.call()->setFocus();
    QTest::keyClicks(m.call(), "Q");
    QVERIFY(yellow(lower));
    QCOMPARE(calls(lower->model()), (QStringList{"Q1XYZ", "Q2AA", "Q1ABC/M", "Q1ABC", "Q1ABD", "Q1XYZ/P"}));
    QCOMPARE(column(lower->model(), 0), (QStringList{"1", "2", "", "", "", ""})); // not numbers of this log
    QTest::keyClicks(m.call(), "1A");
    QCOMPARE(calls(lower->model()), (QStringList{"Q1ABC/M", "Q1ABC", "Q1ABD"}));
    m.call()->clear();
    QVERIFY(!yellow(lower));
    QCOMPARE(lower->model(), &p.session.model());
    QCOMPARE(p.w.findChild<ReferenceListModel*>()->data().size(), 0);
}

void TestReferenceList::rowIsTakenOverIntoMask() {
    TestFolder dir;
    prepare(dir, true);
    StartedProgram p(dir);
    Mask m{p};
    LogGridView* lower = p.find<LogGridView>("Liste2StringGrid");
    m.call()->setFocus();
    QTest::keyClicks(m.call(), "q1ab");
    lower->setFocus();
    lower->setCurrentIndex(lower->model()->index(1, 0));
    QTest::keyClick(lower, Qt::Key_Return);
    QCOMPARE(m.call()->text(), QStringLiteral("Q1ABC"));
    QCOMPARE(m.fourFields(), (QStringList{"X99", "Jüngere", "Zweitort", "AA00AA"}));
    QCOMPARE(QApplication::focusWidget(), m.call());
    // Taking the row over filtered the list again, by call, DOK and locator.
    QCOMPARE(calls(lower->model()), QStringList{"Q1ABC"});

    // A double click does the same.
    m.call()->setText("Q1XYZ");
    m.dok()->clear();
    m.locator()->clear();
    const QPoint cell = lower->visualRect(lower->model()->index(1, 5)).center();
    QTest::mouseClick(lower->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(lower->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(m.call()->text(), QStringLiteral("Q1XYZ/P"));
    QCOMPARE(m.qth()->text(), QStringLiteral("Harz"));
}

void TestReferenceList::ctrlClickOpensOnlyOwnContacts() {
    TestFolder dir;
    prepare(dir, true);
    StartedProgram p(dir);
    Mask m{p};
    LogGridView* lower = p.find<LogGridView>("Liste2StringGrid");
    auto* pages = p.find<QTabWidget>("PageControl");
    m.call()->setText("Q1XYZ");
    // A reference-log row has no number in this log: nothing opens.
    QTest::mouseClick(lower->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      lower->visualRect(lower->model()->index(1, 5)).center());
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("EingabeTS"));
    QTest::mouseClick(lower->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      lower->visualRect(lower->model()->index(0, 5)).center());
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("EditierenTS"));
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("Q1XYZ"));
}

void TestReferenceList::unreadableReferenceLogShowsOneMessage() {
    TestFolder dir;
    // A hand-edited reference log with a line no contact can fill.
    prepare(dir, true, dir.file("kaputt.log"));
    dir.writeLog("kaputt.log", {"1;01.05.2023;10:00:00;15m;CW;Q1AZZ;599;599;;;;;5W;;;",
                                "2;a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q"});
    StartedProgram p(dir);
    Mask m{p};
    m.call()->setFocus();
    QTest::keyClicks(m.call(), "Q1A");
    QCOMPARE(p.dialogs.errors.size(), 1);
    QVERIFY2(p.dialogs.errors[0].contains("kaputt.log") && p.dialogs.errors[0].contains("3"),
             qPrintable(p.dialogs.errors[0]));
    // What could be read is listed; typing on only filters.
    QCOMPARE(calls(p.find<LogGridView>("Liste2StringGrid")->model()),
             (QStringList{"Q1ABC/M", "Q1ABC", "Q1ABD", "Q1AZZ"}));
    QTest::keyClicks(m.call(), "BC");
    QCOMPARE(p.dialogs.errors.size(), 1);
}

void TestReferenceList::optionsAreStored() {
    TestFolder dir;
    prepare(dir, false);
    StartedProgram p(dir);
    QCOMPARE(p.find<QLineEdit>("rLog4Edit")->text(), dir.file("fehlt.log"));
    QTest::mouseClick(p.find<QRadioButton>("rLuxusRadioBtn"), Qt::LeftButton);
    p.find<QLineEdit>("rLog2Edit")->setText("/irgendwo/alt.log");
    // The "..." button starts at the edit's path; Cancel keeps the path.
    p.dialogs.fileAnswers << dir.file("2023.log") << QString();
    QTest::mouseClick(p.find<QPushButton>("rLog4Btn"), Qt::LeftButton);
    QCOMPARE(p.dialogs.fileDialogs.last().folder, dir.file("fehlt.log"));
    QTest::mouseClick(p.find<QPushButton>("rLog4Btn"), Qt::LeftButton);
    QCOMPARE(p.find<QLineEdit>("rLog4Edit")->text(), dir.file("2023.log"));
    Settings stored(dir.file("Vesk.ini"));
    QVERIFY(stored.load());
    const ReferenceLogs::Options options = ReferenceLogs::readOptions(stored);
    QCOMPARE(options.paths, (QStringList{dir.file("2024.log"), "/irgendwo/alt.log", dir.file("2023.log"),
                                         dir.file("2023.log")}));
    QVERIFY(options.luxus);
}

VESK_TEST_MAIN(TestReferenceList)
#include "test_referencelist.moc"
