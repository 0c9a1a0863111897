#include "StartedProgram.h"
#include "windows/DxccInfoText.h"
#include "windows/ui/AuxiliaryWindows.h"
#include "windows/ui/DxccInfoForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

namespace {

// UTC is the clock's reading: the general options set no difference.
const QByteArray kSettings = "EigenerLocator=JO62QM\r\nUtcDiffAuto=0\r\nUtcDiff=0\r\n";

struct InfoWindow {
    InfoWindow() {
        run.dir.installDataFile("DXCC.csv");
        run.dir.installDataFile("DXCC.ini");
        QDir(run.dir.path()).mkdir("Maps");
        for (const char* map : {"dl.gif", "vp2e.gif", "jw.gif"})
            QFile::copy(QCoreApplication::applicationDirPath() + "/Maps/" + map, run.dir.file(QString("Maps/") + map));
    }
    QStringList shown(const QString& call) {
        if (!p.w.auxiliaryWindows().fillDxccInfo(call))
            return {};
        return form().text().split(u'\n');
    }
    DxccInfoForm& form() { return p.w.auxiliaryWindows().dxccInfoForm(); }
    ProgramOnLog run{{}, kSettings};
    StartedProgram& p = run.p;
};

} // namespace

class TestDxccInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Day names as on a German computer.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void mapFiles();
    void boxFitsTheLongestLine();
    void germanyInWinter();
    void midnightSunInJune();
    void unknownCall();
    void labelOpensTheWindow();
};

void TestDxccInfo::mapFiles() {
    QCOMPARE(DxccInfoText::mapFile("/p", "VP2E"), "/p/Maps/vp2e.gif");
    QCOMPARE(DxccInfoText::mapFile("/p", "KH8/S"), "/p/Maps/kh8-s.gif");
    QCOMPARE(DxccInfoText::mapFile("/p", ""), "/p/Maps/.gif");
}

void TestDxccInfo::boxFitsTheLongestLine() {
    const QFontMetrics metrics(QFont("Arial", 16));
    const QStringList lines = {"a\tb", "abcdef", ""};
    const QSize box = DxccInfoText::boxSize(lines, metrics);
    QCOMPARE(box.width(), std::max(metrics.horizontalAdvance("a--------------b"), metrics.horizontalAdvance("abcdef")) + 10);
    QCOMPARE(box.height(), metrics.boundingRect("a\tb").height() * 3 + 10);
}

void TestDxccInfo::germanyInWinter() {
    InfoWindow w;
    w.p.clock.now = QDateTime(QDate(2026, 12, 6), QTime(18, 30, 15)); // a Sunday
    const QStringList lines = w.shown("DL1ABC");
    QCOMPARE(lines.mid(0, 3), (QStringList{"Call: DL1ABC", "Präfix: DL (Hauptpräfix: DL)", "#94 Land: Fed. Rep. of Germany"}));
    QCOMPARE(lines[4], "Kontinent: EU");
    QCOMPARE(lines[6], "");
    QVERIFY2(lines[7].startsWith("Länge: ") && lines[7].contains(" / Breite: "), qPrintable(lines[7]));
    QVERIFY2(lines[8].startsWith("Richtung: ") && lines[8].endsWith(" °"), qPrintable(lines[8]));
    QVERIFY2(lines[9].startsWith("Entfernung: ") && lines[9].endsWith(" km"), qPrintable(lines[9]));
    QVERIFY(lines[11].startsWith("Sonnenaufgang:\t0") && lines[11].endsWith(" UTC"));
    QVERIFY(lines[12].startsWith("Sonnenuntergang:\t1") && lines[12].endsWith(" UTC"));
    QCOMPARE(lines[13], "");
    QVERIFY2(lines[14].startsWith("Ortszeit:\tSonntag 19:30 "), qPrintable(lines[14])); // UTC + 1, no summer time
    QVERIFY(lines[15].startsWith(u'\t'));
    QCOMPARE(lines.size(), 16);
    QCOMPARE(w.form().windowTitle(), "Fed. Rep. of Germany");
    QVERIFY(w.form().hasMap());
    QCOMPARE(w.form().mapBox().top(), w.form().textBox().bottom() + 1 + 5);
    QCOMPARE(w.form().mapBox().size(), QSize(320, 240));

    QVERIFY(w.shown("VP2EAA").size() > 0);
    QVERIFY(w.form().hasMap()); // vp2e.gif
}

void TestDxccInfo::midnightSunInJune() {
    InfoWindow w;
    w.p.clock.now = QDateTime(QDate(2026, 6, 21), QTime(12, 0));
    const QStringList lines = w.shown("JW1ABC");
    QCOMPARE(lines[11], "Die Sonne geht heute nicht unter.");
    QCOMPARE(lines[12], "");
    QVERIFY(lines[13].startsWith("Ortszeit:\t"));
}

// The window still opens: empty texts, zeros, the sun at 0°/0°, UTC, no map.
void TestDxccInfo::unknownCall() {
    InfoWindow w;
    const QStringList lines = w.shown("Q");
    QCOMPARE(lines.mid(0, 3), (QStringList{"Call: ", "Präfix:  (Hauptpräfix: )", "#0 Land: "}));
    QVERIFY2(lines[14].startsWith("Ortszeit:\tSonntag 18:30"), qPrintable(lines[14]));
    QVERIFY(!w.form().hasMap());
    QCOMPARE(w.form().mapBox().height(), 10);
    QVERIFY(w.p.dialogs.errors.isEmpty());
}

void TestDxccInfo::labelOpensTheWindow() {
    InfoWindow w;
    auto* call = w.p.find<QLineEdit>("CallEdit");
    call->setFocus();
    QTest::keyClicks(call, "OE1XYZ");
    auto* label = w.p.find<QLabel>("DxccValueLabel");
    QTRY_VERIFY(!label->text().isEmpty());
    // Underlined while the mouse is over it, like a link.
    QEvent enter(QEvent::Enter), leave(QEvent::Leave);
    QApplication::sendEvent(label, &enter);
    QVERIFY(label->font().underline());
    QApplication::sendEvent(label, &leave);
    QVERIFY(!label->font().underline());
    QString title;
    QTimer::singleShot(0, &w.form(), [&] {
        title = w.form().isVisible() ? w.form().windowTitle() : QString();
        w.form().reject();
    });
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(title, "Austria");
}

QTEST_MAIN(TestDxccInfo)
#include "test_dxccinfo.moc"
