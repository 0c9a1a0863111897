#include "entry/ui/CheckedDateEdit.h"
#include "entry/ui/LogGridView.h"
#include "qsl/ui/OutstandingModel.h"
#include "qsl/ui/QslPage.h"
#include "StartedProgram.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QDateEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const QStringList kLog = {
    "1;01.02.2003;12:00:00;2m;FM;DL1AB;59;59;;;;;10W;tnx;;",
    "2;01.02.2003;13:00:00;2m;FM;DL1AB;59;59;;;;;10W;;;",
    "3;02.02.2003;14:00:00;70cm;SSB;EA8/Q1ABC;59;59;;;;;10W;;;",
    "4;03.02.2003;15:00:00;2m;FM;F5XY;59;59;;;;;10W;;;",
};

struct QslFixture {
    explicit QslFixture(const TestFolder& dir) : p(dir) {
        p.find<QTabWidget>("PageControl")->setCurrentWidget(p.find<QWidget>("AuswertungenTS"));
        p.find<QTabWidget>("AuswertungenPageControl")->setCurrentWidget(page);
    }
    void searchCard(const QString& call, const QString& date, const QString& utc) {
        p.find<QLineEdit>("qslCallEdit")->setText(call);
        QTest::keyClicks(p.find<QLineEdit>("qslDateEdit"), date);
        QTest::keyClicks(p.find<QLineEdit>("qslUtcEdit"), utc);
        p.find<QDateEdit>("qslInDatePicker")->setDate(QDate(2026, 12, 1));
        QTest::mouseClick(p.find<QPushButton>("qslInBtn"), Qt::LeftButton);
    }
    StartedProgram p;
    QslPage* page = p.find<QslPage>("TabSheet1");
    LogGridView* grid = p.find<LogGridView>("qslStringGrid");
};

} // namespace

class TestQslPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void marksCardsAsTheOperatorDoes();
    void changedLogIsNotMarked();
    void receivedCardOfALoggedContact();
    void receivedCardOfAMissingContact();
    void scansBecomeCardsFromTheEditTab();

private:
    std::unique_ptr<TestFolder> m_dir;
};

void TestQslPage::init() {
    m_dir = std::make_unique<TestFolder>();
    m_dir->prepareProgram(kLog, "[QSL]\r\nFirstQso=1\r\nBand=1\r\n");
}

// The stored rule is shown and applied: the second DL1AB on 2 m needs no card.
void TestQslPage::marksCardsAsTheOperatorDoes() {
    QslFixture f(*m_dir);
    QVERIFY(f.p.find<QRadioButton>("qslFirstQsoRadioBtn")->isChecked() && f.p.find<QCheckBox>("qslDayChkBox")->isEnabled());
    QTest::mouseClick(f.p.find<QPushButton>("qslCreateListBtn"), Qt::LeftButton);
    const OutstandingModel& list = f.page->outstanding();
    QCOMPARE(list.listedCount(), 3);
    QCOMPARE(list.data(list.index(1, 1)).toString(), QStringLiteral("EA8/Q1ABC"));
    f.grid->setFocus();
    QTest::keyClick(f.grid, Qt::Key_Return); // row 1, then on to row 2
    QTest::keyClick(f.grid, Qt::Key_N);      // row 1: "no QSL"
    QVERIFY(m_dir->logLines()[0].endsWith(";tnx;06.12.2026;"));
    QVERIFY(m_dir->logLines()[2].endsWith(";no QSL;;") && m_dir->logLines()[3].endsWith(";;;"));
    QCOMPARE(list.data(list.index(1, OutstandingModel::CommentsColumn)).toString(), QStringLiteral("no QSL"));
    const QRect cell = f.grid->visualRect(list.index(2, 0));
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(f.grid->viewport(), Qt::LeftButton, {}, cell.center());
    QVERIFY(m_dir->logLines()[3].endsWith(";06.12.2026;"));
    QCOMPARE(f.p.session.model().field(3, QsoRecord::QslOut), QStringLiteral("06.12.2026"));
    // A second double click takes the mark back; the list tab follows.
    f.page->qslStringGridDblClick();
    QVERIFY(m_dir->logLines()[3].endsWith(";;;"));
    QCOMPARE(f.p.session.model().field(3, QsoRecord::QslOut), QString());
    QVERIFY(f.p.dialogs.errors.isEmpty());
}

void TestQslPage::changedLogIsNotMarked() {
    QslFixture f(*m_dir);
    f.page->qslCreateListBtnClick();
    QStringList changed = kLog;
    changed[0].replace("DL1AB", "DK9ZZ");
    m_dir->writeLog("2026.log", changed);
    const QByteArray before = m_dir->read("2026.log");
    f.grid->selectRecord(0);
    f.page->qslStringGridDblClick();
    QCOMPARE(m_dir->read("2026.log"), before);
    QVERIFY2(f.p.dialogs.oneErrorWith({"#1"}), qPrintable(f.p.dialogs.errors.join(u'\n')));
    // The list was made again from the file as it is now.
    QCOMPARE(f.page->outstanding().row(0).record.field(QsoRecord::Call), QStringLiteral("DK9ZZ"));
}

void TestQslPage::receivedCardOfALoggedContact() {
    QslFixture f(*m_dir);
    f.searchCard("ea8/q1", "3102", "14");
    QCOMPARE(f.p.dialogs.errors.size(), 1); // no 31 February: nothing searched, the input stays
    QCOMPARE(f.p.find<QLineEdit>("qslDateEdit")->text(), QStringLiteral("3102"));
    f.p.find<QLineEdit>("qslDateEdit")->clear();
    f.p.find<QLineEdit>("qslUtcEdit")->clear();
    f.searchCard("ea8/q1", "020203", "14");
    QVERIFY(f.p.find<QWidget>("EditierenTS")->isVisible());
    auto* received = f.p.find<CheckedDateEdit>("eQslInPicker");
    QVERIFY(received->isChecked() && received->date() == QDate(2026, 12, 1));
    QTest::mouseClick(f.p.find<QPushButton>("eOkBtn"), Qt::LeftButton);
    QVERIFY(m_dir->logLines()[2].endsWith(";;01.12.2026"));
    QVERIFY(f.page->isVisible()); // back on the evaluation page
    QVERIFY(f.p.find<QLineEdit>("qslCallEdit")->text().isEmpty());
}

void TestQslPage::receivedCardOfAMissingContact() {
    QslFixture f(*m_dir);
    f.p.dialogs.questionAnswers = {true};
    f.searchCard("dl9new", "0102", "12");
    QCOMPARE(f.p.dialogs.questions.size(), 1);
    QCOMPARE(m_dir->logLines()[4], QStringLiteral("5;01.02.2026;12:00:00;;;DL9NEW;;;;;;;;;;01.12.2026"));
    QVERIFY(f.p.find<QWidget>("EditierenTS")->isVisible());
    QCOMPARE(f.p.find<QLineEdit>("eCallEdit")->text(), QStringLiteral("DL9NEW"));
    // Several hits are listed below the inputs.
    f.searchCard("dl1ab", "", "");
    QCOMPARE(f.p.find<QTableWidget>("qslSearchStringGrid")->rowCount(), 2);
}

// Two scans for EA8/Q1ABC, renamed from the edit tab into the card folder.
void TestQslPage::scansBecomeCardsFromTheEditTab() {
    m_dir->write("Vesk.ini", "[Allgemein]\r\nLastLogFileName=2026.log\r\nQslPath=" + m_dir->file("cards/").toUtf8() + "\r\n");
    QDir().mkpath(m_dir->file("cards"));
    StartedProgram p(*m_dir);
    QVERIFY(p.find<QAction>("QslPresentationMenu")->isEnabled());
    p.w.openForEdit(2, ReturnTarget::List);
    auto* rename = p.find<QPushButton>("eQslInAddBtn");
    auto* show = p.find<QPushButton>("eQslInShowBtn");
    QVERIFY(!rename->isVisible() && !show->isVisible());
    p.find<CheckedDateEdit>("eQslInPicker")->setChecked(true);
    QVERIFY(rename->isVisible());
    for (const char* scan : {"IMG_0001.JPG", "IMG_0002.JPG"}) {
        QImage(40, 30, QImage::Format_RGB32).save(m_dir->file(scan), "JPEG");
        p.dialogs.fileAnswers << m_dir->file(scan);
        QTest::mouseClick(rename, Qt::LeftButton);
    }
    QVERIFY(QFile::exists(m_dir->file("cards/ea8-q1abc.jpg")) && QFile::exists(m_dir->file("cards/ea8-q1abc_1.jpg")));
    QVERIFY2(p.dialogs.infos.size() == 2 && p.dialogs.infos[1].endsWith("IMG_0002.JPG --> " + m_dir->file("cards/ea8-q1abc_1.jpg")),
             qPrintable(p.dialogs.infos.join('\n')));
    QVERIFY(show->isVisible());
}

VESK_TEST_MAIN(TestQslPage)
#include "test_qslpage.moc"
