#include "entry/ui/LogGridView.h"
#include "entry/ReferenceLogs.h"
#include "settings/Settings.h"
#include "StartedProgram.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

// The current log "2026.log" and two reference logs; slot 2 stays empty, slot 4 names a missing file.
void prepare(const TestFolder& dir, bool luxus, const QString& slot3 = {}) {
    dir.writeLog("2024.log", {"1;01.05.2024;10:00:00;20m;SSB;Q1ABC/M;59;59;B05;Otto;Bonn;JO30RR;100W;;;",
                              "2;02.05.2024;10:00:00;20m;SSB;Q1ABC;59;59;X99;Jüngere;Zweitort;AA00AA;100W;;;",
                              "3;03.05.2024;11:00:00;20m;SSB;Q1ABD;59;59;b01;Ida;Ulm;JN48OJ;100W;;;"});
    dir.writeLog("2023.log", {"1;01.05.2023;10:00:00;15m;CW;Q1XYZ/P;599;599;B01;Hans;Harz;JO51AA;5W;;;"});
    dir.prepareProgram({"1;01.12.2026;10:00:00;40m;CW;Q1XYZ;599;599;B01;Hans;Berlin;JO62QM;5W;;;",
                        "2;01.12.2026;10:05:00;80m;CW;Q2AA;599;599;;Udo;;;50W;;;"},
                       QStringLiteral("[Referenz-Logs]\r\nLog1=%1\r\nLog2=\r\nLog3=%2\r\nLog4=%3\r\nLuxusfunktion=%4\r\n")
                           .arg(dir.file("2024.log"), slot3.isEmpty() ? dir.file("2023.log") : slot3,
                                dir.file("fehlt.log"), luxus ? "1" : "0")
                           .toUtf8());
}

QStringList calls(const QAbstractItemModel* model) {
    QStringList list;
    for (int r = 0; r < model->rowCount(); ++r)
        list << model->index(r, 5).data().toString();
    return list;
}

QStringList fourFields(StartedProgram& p) {
    QStringList texts;
    for (const char* name : {"DokEdit", "NameEdit", "QthEdit", "LocatorEdit"})
        texts << p.find<QLineEdit>(name)->text();
    return texts;
}
void ctrlR() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier); }

bool yellow(LogGridView* grid) { return grid->palette().color(QPalette::Base).blue() < 200; }

} // namespace

class TestReferenceList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void yellowListTakenOverAndOpened();
    void unreadableReferenceLogShowsOneMessage_data();
    void unreadableReferenceLogShowsOneMessage();
    void optionsAreStored();
};

// How the rows are filtered is test_referencelogs'; here the list turns yellow
// with the first letters, a row goes into the mask, Escape turns the list white
// again, and Ctrl+click opens only this log's contacts in the editor.
void TestReferenceList::yellowListTakenOverAndOpened() {
    TestFolder dir;
    prepare(dir, true);
    StartedProgram p(dir);
    QLineEdit* call = p.find<QLineEdit>("CallEdit");
    LogGridView* lower = p.find<LogGridView>("Liste2StringGrid");
    call->setFocus();
    QTest::keyClicks(call, "q1");
    QVERIFY(yellow(lower));
    QCOMPARE(calls(lower->model()), (QStringList{"Q1XYZ", "Q1ABC/M", "Q1ABC", "Q1ABD", "Q1XYZ/P"}));
    lower->setFocus();
    lower->setCurrentIndex(lower->model()->index(2, 0));
    QTest::keyClick(lower, Qt::Key_Return);
    QCOMPARE(call->text(), QStringLiteral("Q1ABC"));
    QCOMPARE(fourFields(p), (QStringList{"X99", "Jüngere", "Zweitort", "AA00AA"}));
    QCOMPARE(QApplication::focusWidget(), call);
    QCOMPARE(calls(lower->model()), QStringList{"Q1ABC"}); // filtered again by call, DOK and locator
    QTest::keyClick(call, Qt::Key_Escape);
    QVERIFY(!yellow(lower));
    QCOMPARE(lower->model(), &p.session.model());
    QTest::keyClicks(call, "q1xyz");
    auto ctrlClick = [&](int row) {
        QTest::mouseClick(lower->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          lower->visualRect(lower->model()->index(row, 5)).center());
        return p.find<QTabWidget>("PageControl")->currentWidget()->objectName();
    };
    QCOMPARE(ctrlClick(1), QStringLiteral("EingabeTS")); // Q1XYZ/P has no number in this log
    QCOMPARE(ctrlClick(0), QStringLiteral("EditierenTS"));
    QCOMPARE(p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("Q1XYZ"));
}

// Which contact Ctrl+R finds is test_referencelogs'. A log that cannot be opened (a folder) or holds
// a line no contact fills is named once; what could be read is listed; the mask goes on working.
void TestReferenceList::unreadableReferenceLogShowsOneMessage_data() {
    QTest::addColumn<bool>("luxus");
    QTest::addColumn<QString>("lineMark");
    QTest::addColumn<QStringList>("listed"); // in the lower list after "q1a"
    QTest::newRow("folder, standard") << false << QString() << QStringList{"Q1XYZ", "Q2AA"}; // the log's own list
    QTest::newRow("bad line, yellow list") << true << "3" << QStringList{"Q1ABC/M", "Q1ABC", "Q1ABD", "Q1AZZ"};
}

void TestReferenceList::unreadableReferenceLogShowsOneMessage() {
    QFETCH(bool, luxus);
    QFETCH(QString, lineMark);
    QFETCH(QStringList, listed);
    TestFolder dir;
    if (luxus)
        dir.writeLog("kaputt.log", {"1;01.05.2023;10:00:00;15m;CW;Q1AZZ;599;599;;;;;5W;;;",
                                    "2;a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q"});
    else
        QDir(dir.path()).mkdir("kaputt.log");
    prepare(dir, luxus, dir.file("kaputt.log"));
    StartedProgram p(dir);
    QLineEdit* call = p.find<QLineEdit>("CallEdit");
    p.find<QLineEdit>("NameEdit")->setText("Vor");
    call->setFocus();
    QTest::keyClicks(call, "q1a");
    if (!luxus)
        ctrlR(); // an unknown call leaves what was typed
    QCOMPARE(fourFields(p), (QStringList{"", "Vor", "", ""}));
    QVERIFY2(p.dialogs.oneErrorWith({"kaputt.log", lineMark}), qPrintable(p.dialogs.errors.join(u'\n')));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QCOMPARE(calls(p.find<LogGridView>("Liste2StringGrid")->model()), listed);
    // A call found before the bad slot is filled in, and typing on does not repeat the message.
    QCOMPARE(QApplication::focusWidget(), call);
    QTest::keyClicks(call, "bc/p");
    ctrlR();
    QCOMPARE(fourFields(p), (QStringList{"B05", "Otto", "Bonn", "JO30RR"}));
    QCOMPARE(p.dialogs.errors.size(), 1);
}

void TestReferenceList::optionsAreStored() {
    TestFolder dir;
    prepare(dir, false);
    StartedProgram p(dir);
    QCOMPARE(p.find<QLineEdit>("rLog4Edit")->text(), dir.file("fehlt.log"));
    QTest::mouseClick(p.find<QRadioButton>("rLuxusRadioBtn"), Qt::LeftButton);
    // The "..." button starts at the edit's path; Cancel keeps the path.
    p.dialogs.fileAnswers << dir.file("2023.log") << QString();
    QTest::mouseClick(p.find<QPushButton>("rLog4Btn"), Qt::LeftButton);
    QCOMPARE(p.dialogs.fileDialogs.last().folder, dir.file("fehlt.log"));
    QTest::mouseClick(p.find<QPushButton>("rLog4Btn"), Qt::LeftButton);
    QCOMPARE(p.find<QLineEdit>("rLog4Edit")->text(), dir.file("2023.log"));
    Settings stored(dir.file("Vesk.ini"));
    QVERIFY(stored.load());
    const ReferenceLogs::Options options = ReferenceLogs::readOptions(stored);
    QCOMPARE(options.paths, (QStringList{dir.file("2024.log"), "", dir.file("2023.log"),
                                         dir.file("2023.log")}));
    QVERIFY(options.luxus);
}

VESK_TEST_MAIN(TestReferenceList)
#include "test_referencelist.moc"
