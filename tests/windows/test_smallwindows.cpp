#include "entry/FieldBindings.h"
#include "RecordingDesktop.h"
#include "StartedProgram.h"
#include "windows/DataFiles.h"
#include "windows/ui/AboutForm.h"
#include "windows/ui/AuxiliaryWindows.h"
#include "windows/ui/DateiformateForm.h"
#include "windows/ui/HotKeyForm.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestSmallWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shortcutList();
    void dataFilesListed();
    void renamingKeepsEveryFile();
    void fileFormatsWindow();
    void aboutBox();
    void helpMenuOpensShippedPage_data();
    void helpMenuOpensShippedPage();
};

void TestSmallWindows::shortcutList() {
    const LanguageTexts texts = LanguageTexts::builtInGerman();
    FieldBindings none;
    for (int item = 0; item < MaskItem::Count; ++item)
        none.bind(item, 0);
    const QStringList bare = none.shortcutLines(texts);
    QCOMPARE(bare.first(), texts[27]);
    QVERIFY(bare.contains(texts[36]) && bare.last() == texts[41]);
    QCOMPARE(bare.indexOf(QRegularExpression("^\\[F\\d+\\]$")), -1);

    FieldBindings two = none;
    two.bind(MaskItem::Dok, 3);
    two.bind(MaskItem::Name, 3);
    const QStringList lines = two.shortcutLines(texts);
    const qsizetype f3 = lines.indexOf("[F3]");
    QVERIFY(f3 > 0);
    QCOMPARE(lines[f3 + 1], texts[38] + "'DOK', 'Name'");
    QCOMPARE(lines.size(), bare.size() + 2);

    // Return in the list closes it.
    HotKeyForm form;
    form.fill(lines);
    QTimer::singleShot(0, &form, [&form] {
        QTest::keyClick(form.findChild<QPlainTextEdit*>("Memo"), Qt::Key_Return);
    });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
}

void TestSmallWindows::dataFilesListed() {
    TestFolder dir;
    for (const char* name : {"export.csv", "2026.log", "notes.txt", "2005.LOG", "README", "c.TXT", "d.csv.bak"})
        dir.write(name, "x");
    QCOMPARE(DataFiles::list(dir.path()), (QStringList{"2026.log", "export.csv", "notes.txt"}));
    QCOMPARE(DataFiles::withExtension("a.b.csv", "txt"), "a.b.txt");
    QCOMPARE(DataFiles::withExtension("README", "log"), "README.log");
}

// A name already taken is refused with both names and the reason; no file is lost.
void TestSmallWindows::renamingKeepsEveryFile() {
    TestFolder dir;
    dir.write("a.csv", "comma");
    dir.write("a.txt", "text");
    const QString error = DataFiles::rename(dir.path(), "a.csv", "a.txt");
    QVERIFY2(error.contains("\"a.csv\"") && error.contains("\"a.txt\"") && error.contains("gibt es schon"),
             qPrintable(error));
    QCOMPARE(dir.read("a.csv"), QByteArray("comma"));
    QCOMPARE(dir.read("a.txt"), QByteArray("text"));
    QVERIFY(DataFiles::rename(dir.path(), "gone.csv", "gone.txt").contains("No such file"));
    QCOMPARE(DataFiles::rename(dir.path(), "a.csv", "a.log"), QString());
    QCOMPARE(dir.read("a.log"), QByteArray("comma"));
}

void TestSmallWindows::fileFormatsWindow() {
    ProgramOnLog run{{"1;01.02.2003;12:00:00;2m;FM;DL1AB;59;59;;;;;10W;;;"}};
    StartedProgram& p = run.p;
    RecordingDesktop desktop;
    p.session.setDesktop(desktop);
    run.dir.write("export.csv", "x");
    run.dir.write("2005.LOG", "x");
    run.dir.writeLog("other.log", {"1;01.02.2003;12:00:00;2m;FM;F5XY;59;59;;;;;10W;;;"});
    DateiformateForm& form = p.w.auxiliaryWindows().dateiformateForm();
    form.FillDateien();
    QCOMPARE(form.listed(), (QStringList{"2026.log", "export.csv", "other.log"}));

    auto* list = form.findChild<QListWidget*>("DateienListBox");
    list->setCurrentRow(1);
    form.findChild<QPushButton*>("TxtBtn")->click();
    QCOMPARE(form.listed(), (QStringList{"2026.log", "export.txt", "other.log"}));
    QCOMPARE(list->currentItem()->text(), "export.txt");
    form.OpenBtnClick();
    QCOMPARE(desktop.opened, QStringList{run.dir.file("export.txt")});

    list->setCurrentRow(2);
    form.OpenBtnClick();
    QCOMPARE(p.session.currentLogName(), "other.log");
    QCOMPARE(p.session.model().field(0, QsoRecord::Call), "F5XY");
}

void TestSmallWindows::aboutBox() {
    ProgramOnLog run{{}};
    StartedProgram& p = run.p;
    AboutForm& about = p.w.auxiliaryWindows().aboutForm();
    about.show();
    QVERIFY(about.scrolling());
    QVERIFY(about.shownPicture() >= 0 && about.shownPicture() < 6);
    QCOMPARE(about.credits().split(u'\n')[48], p.session.texts()[0]);
    const int top = about.creditsTop();
    QCOMPARE(top, 150); // starts below the panel
    about.TimerTimer();
    QCOMPARE(about.creditsTop(), top - 2);
    while (about.creditsTop() <= top - 2)
        about.TimerTimer(); // once wholly out of sight it starts below again
    QCOMPARE(about.creditsTop(), 150);
    about.hide();
    QVERIFY(!about.scrolling());
}

void TestSmallWindows::helpMenuOpensShippedPage_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("page");
    QTest::newRow("Inhalt") << "Hilfe2" << "index.htm";
    QTest::newRow("AFU-Linkliste") << "LinklistezuAFU1" << "11-4.htm";
    QTest::newRow("Vesk im Web") << "WebPageMenu" << "vesk.htm";
}

void TestSmallWindows::helpMenuOpensShippedPage() {
    QFETCH(QString, entry);
    QFETCH(QString, page);
    ProgramOnLog run{{}};
    StartedProgram& p = run.p;
    RecordingDesktop desktop;
    p.session.setDesktop(desktop);
    QAction* item = p.w.menuEntry(entry);
    QVERIFY(item);
    QVERIFY2(item->isEnabled(), qPrintable(entry + " is greyed"));
    item->trigger();
    QCOMPARE(desktop.opened, QStringList{run.dir.file("Hilfe/" + page)});
    // The page the entry opens is one the build puts beside the program.
    QVERIFY2(QFileInfo::exists(QCoreApplication::applicationDirPath() + "/Hilfe/" + page), qPrintable(page));
}

QTEST_MAIN(TestSmallWindows)
#include "test_smallwindows.moc"
