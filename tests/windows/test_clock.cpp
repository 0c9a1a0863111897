#include "StartedProgram.h"
#include "windows/ClockFace.h"
#include "windows/DateTimePattern.h"
#include "windows/ui/AuxiliaryWindows.h"
#include "windows/ui/ClockForm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QtTest>

namespace {

QImage face(const QTime& time, const QColor& background = Qt::lightGray) {
    QImage image(ClockFace::Size, ClockFace::Size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    ClockFace::paint(painter, time);
    return image;
}

const QColor kNavy(0, 0, 128), kMaroon(128, 0, 0);

} // namespace

class TestClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void handAngles_data();
    void handAngles();
    void handLines();
    void drawnFace();
    void pattern_data();
    void pattern();
    void windowFollowsItsOptions();
};

void TestClock::handAngles_data() {
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("second");
    QTest::newRow("03:00:00") << QTime(3, 0, 0) << 90 << 0 << 0;
    QTest::newRow("10:30:45: 184.5 drawn at 184") << QTime(10, 30, 45) << 315 << 184 << 270;
    QTest::newRow("15:00: hours mod 12") << QTime(15, 0) << 90 << 0 << 0;
    QTest::newRow("11:59:57: 359.5 and 359.7 drawn at 0") << QTime(11, 59, 57) << 0 << 0 << 342;
    QTest::newRow("00:01:30: 0.5 rounds to 0, 9 even") << QTime(0, 1, 30) << 0 << 9 << 180;
    QTest::newRow("00:03:00: 1.5 rounds to 2") << QTime(0, 3, 0) << 2 << 18 << 0;
}

void TestClock::handAngles() {
    QFETCH(QTime, time);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(int, second);
    const ClockFace::HandAngles a = ClockFace::angles(time);
    QCOMPARE((QList<int>{a.hour, a.minute, a.second}), (QList<int>{hour, minute, second}));
}

// Ends rounded to whole pixels, a half to the even neighbour.
void TestClock::handLines() {
    QCOMPARE(ClockFace::handLine(0, 30, 90), QLine(55, 55, 85, 55));
    QCOMPARE(ClockFace::handLine(0, 40, 184), QLine(55, 55, 52, 95));
    QCOMPARE(ClockFace::handLine(50, 4, 30), QLine(80, 12, 82, 8)); // 55 + 25 = 80, 55 - 43.30 = 11.70
    QCOMPARE(ClockFace::handLine(0, 48, 360), ClockFace::handLine(0, 48, 0));
    QCOMPARE(ClockFace::handLine(0, 1, 30), QLine(55, 55, 56, 54)); // 55.5 → 56 (even), 54.13 → 54
}

void TestClock::drawnFace() {
    QImage at3 = face(QTime(3, 0, 0));
    QCOMPARE(at3.pixelColor(0, 0), QColor(Qt::lightGray)); // outside the disc: untouched
    QCOMPARE(at3.pixelColor(30, 80), QColor(Qt::white));
    QCOMPARE(at3.pixelColor(75, 55), QColor(Qt::black));  // hour hand towards 3 o'clock
    QCOMPARE(at3.pixelColor(75, 54), QColor(Qt::black));  // two pixels wide
    QCOMPARE(at3.pixelColor(55, 25), QColor(Qt::black));  // minute hand at 12 over the second hand
    QCOMPARE(at3.pixelColor(55, 10), kNavy);              // the second hand reaches further
    QCOMPARE(at3.pixelColor(55, 55), kMaroon);
    QCOMPARE(at3.pixelColor(55, 85), QColor(Qt::white));  // nothing towards 6 o'clock
    QCOMPARE(at3.pixelColor(55, 107), QColor(Qt::black)); // the mark at 6, outside the rim
    QCOMPARE(at3.pixelColor(55, 5), QColor(Qt::black));   // the rim

    QImage late = face(QTime(11, 59, 57));
    QCOMPARE(late.pixelColor(55, 30), QColor(Qt::black)); // hour and minute hands both at 0
    QCOMPARE(late.pixelColor(41, 12), kNavy);             // 342 degrees, radius 45
    QCOMPARE(late.pixelColor(75, 55), QColor(Qt::white));
}

void TestClock::pattern_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no pattern letters") << "---" << "---";
    QTest::newRow("options default") << "dddd', der 'dd.mm.yyyy' 'hh:nn:ss" << "Montag, der 07.12.2026 09:05:03";
    QTest::newRow("short numbers") << "d.m.yy h:n:s" << "7.12.26 9:5:3";
    QTest::newRow("m after h is minutes") << "hh:mm" << "09:05";
    QTest::newRow("upper case letters") << "DD.MM.YYYY HH:NN" << "07.12.2026 09:05";
    QTest::newRow("names") << "ddd mmm mmmm" << "Mo. Dez. Dezember";
    QTest::newRow("quoted text") << "\"hh\" 'nn' hh" << "hh nn 09";
    QTest::newRow("unclosed quote runs to the end") << "hh' uhr" << "09 uhr";
    QTest::newRow("locale separators") << "dd/mm/yy hh:nn" << "07.12.26 09:05";
    QTest::newRow("milliseconds") << "z zzz" << "7 007";
    QTest::newRow("locale formats") << "ddddd | t | tt | c" << "07.12.26 | 09:05 | 09:05:03 | 07.12.26 09:05:03";
    QTest::newRow("long date") << "dddddd" << "Montag, 7. Dezember 2026";
    QTest::newRow("am/pm") << "h:nn am/pm" << "9:05 am";
    QTest::newRow("a/p upper case") << "hh A/P" << "09 A";
}

void TestClock::pattern() {
    QFETCH(QString, pattern);
    QFETCH(QString, shown);
    const QDateTime t(QDate(2026, 12, 7), QTime(9, 5, 3, 7));
    QCOMPARE(DateTimePattern::format(pattern, t, QLocale(QLocale::German, QLocale::Germany)), shown);
    // The 12-hour clock after noon and at midnight.
    const QLocale german(QLocale::German);
    QCOMPARE(DateTimePattern::format("h:nn AM/PM", QDateTime(QDate(2026, 1, 1), QTime(15, 5)), german), "3:05 PM");
    QCOMPARE(DateTimePattern::format("hh a/p", QDateTime(QDate(2026, 1, 1), QTime(0, 30)), german), "12 a");
}

void TestClock::windowFollowsItsOptions() {
    // UTC reckoned as local time plus the set difference of -2 hours.
    ProgramOnLog run{{}, "UtcDiffAuto=0\r\nUtcDiff=-2\r\n[Clock]\r\nShow=1\r\nUTC=0\r\nFormat=hh:nn:ss\r\nLeft=300\r\nTop=200\r\n"};
    StartedProgram& p = run.p;
    p.clock.now = QDateTime(QDate(2026, 12, 7), QTime(10, 30, 45));
    ClockForm& clock = p.w.auxiliaryWindows().clock();
    QVERIFY(clock.isVisible());
    QCOMPARE(clock.pos(), QPoint(300, 200));
    clock.ClockTimerTimer();
    QCOMPARE(clock.windowTitle(), "10:30:45");

    auto* show = p.find<QCheckBox>("clockShowChkBtn");
    auto* format = p.find<QLineEdit>("clockFormatEdit");
    QVERIFY(show->isChecked() && format->isEnabled());
    p.find<QRadioButton>("clockUtcRadioBtn")->click();
    format->setText("hh:nn '[UTC]'");
    clock.ClockTimerTimer();
    QCOMPARE(clock.windowTitle(), "08:30 [UTC]");
    QCOMPARE(clock.grab().toImage().convertToFormat(QImage::Format_RGB32), face(QTime(8, 30, 45), Qt::white));
    QVERIFY(run.dir.read("Vesk.ini").contains("Format=hh:nn '[UTC]'"));

    show->click();
    QVERIFY(!clock.isVisible());
    QVERIFY(!format->isEnabled());
    QVERIFY(run.dir.read("Vesk.ini").contains("Show=0"));

    clock.move(321, 123);
    p.w.close();
    const QByteArray ini = run.dir.read("Vesk.ini");
    QVERIFY(ini.contains("Left=321") && ini.contains("Top=123"));
}

QTEST_MAIN(TestClock)
#include "test_clock.moc"
