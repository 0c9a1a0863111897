#include "qsl/CardFolder.h"
#include "qsl/ui/QslInShowForm.h"
#include "qsl/ui/QslPresentationForm.h"
#include "TestFolder.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

class TestCardViews : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void viewerSteps();
    void viewerShowsOneCard_data();
    void viewerShowsOneCard();
    void slideShow();
};

namespace {

void writeCard(const QString& path, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY2(image.save(path, "JPEG", 90), qPrintable(path));
}

// Runs check while window is shown modally by show; the check ends the run.
void whileShown(QWidget& window, const std::function<void()>& show, const std::function<void()>& check) {
    QTimer::singleShot(0, &window, [&] {
        check();
        if (window.isVisible())
            window.close();
    });
    show();
}

void grab(QWidget& window, const QString& name) {
    const QString dir = qEnvironmentVariable("VESK_GRAB_DIR");
    if (!dir.isEmpty())
        window.grab().save(dir + u'/' + name);
}

} // namespace

void TestCardViews::viewerSteps() {
    TestFolder dir;
    const QStringList files = {dir.file("dl1ab.jpg"), dir.file("dl1ab_1.jpg"), dir.file("dl1ab_dayton.jpg")};
    writeCard(files[0], {300, 200}, Qt::red);
    writeCard(files[1], {200, 300}, Qt::green);
    writeCard(files[2], {250, 250}, Qt::blue);
    QslInShowForm form(nullptr);
    auto* image = form.findChild<QLabel*>("CardImage");
    // Card, caption and the size of the picture shown.
    const auto shown = [&] {
        const QSize size = image->pixmap().size();
        return QStringLiteral("%1 %2 %3x%4").arg(form.cardIndex()).arg(form.windowTitle()).arg(size.width()).arg(size.height());
    };
    bool closedOnLast = false;
    whileShown(form, [&] { form.showCards(files); }, [&] {
        QVERIFY(form.findChild<QMenuBar*>()->isVisible());
        QCOMPARE(shown(), "0 QSL 300x200");
        QCOMPARE(image->cursor().shape(), Qt::PointingHandCursor);
        form.findChild<QAction*>("BackMenu")->trigger();
        QCOMPARE(shown(), "2 QSL \"dayton\" 250x250");
        form.findChild<QAction*>("NextMenu")->trigger();
        QCOMPARE(form.cardIndex(), 0);
        QTest::mouseClick(image, Qt::LeftButton);
        QCOMPARE(shown(), "1 QSL \"1\" 200x300");
        QTest::mouseClick(image, Qt::LeftButton);
        QVERIFY(form.cardIndex() == 2 && form.isVisible());
        grab(form, "viewer.png");
        QTest::mouseClick(image, Qt::LeftButton);
        closedOnLast = !form.isVisible();
    });
    QVERIFY(closedOnLast);
    QCOMPARE(form.cardIndex(), 2);
}

void TestCardViews::viewerShowsOneCard_data() {
    QTest::addColumn<QSize>("size"); // empty: no picture
    QTest::addColumn<bool>("written");
    QTest::newRow("small card at its size") << QSize(320, 200) << true;
    QTest::newRow("scan larger than the screen") << QSize(4000, 3000) << true;
    QTest::newRow("not a JPEG") << QSize() << true;
    QTest::newRow("card gone") << QSize() << false;
}

void TestCardViews::viewerShowsOneCard() {
    QFETCH(QSize, size);
    QFETCH(bool, written);
    const bool broken = size.isEmpty();
    TestFolder dir;
    const QString file = dir.file("ea8-q1abc_1.jpg");
    if (!broken)
        writeCard(file, size, Qt::darkCyan);
    else if (written)
        dir.write("ea8-q1abc_1.jpg", "no picture");
    QslInShowForm form(nullptr);
    auto* image = form.findChild<QLabel*>("CardImage");
    whileShown(form, [&] { form.showCards({file}); }, [&] {
        QVERIFY(!form.findChild<QMenuBar*>()->isVisible());
        QCOMPARE(form.windowTitle(), "QSL \"1\"");
        const QRect screen = form.screen()->availableGeometry();
        QVERIFY(screen.contains(form.frameGeometry()));
        if (broken) {
            QVERIFY(image->pixmap().isNull());
            QVERIFY2(image->text().contains(file), qPrintable(image->text()));
            return;
        }
        const QSize shown = image->pixmap().size();
        QCOMPARE(form.size(), shown);
        if (size.width() <= screen.width() / 2)
            QCOMPARE(shown, size);
        QVERIFY(qAbs(double(shown.width()) / shown.height() - double(size.width()) / size.height()) < 0.01);
        QTest::mouseClick(image, Qt::LeftButton);
        QVERIFY(!form.isVisible());
    });
}

void TestCardViews::slideShow() {
    TestFolder dir;
    writeCard(dir.file("ea8-q1abc_1.jpg"), {1200, 900}, Qt::darkYellow);
    writeCard(dir.file("dl1ab.jpg"), {900, 1200}, Qt::darkRed);
    dir.write("f5xyz.jpg", "no picture");
    const auto cards = CardFolder(dir.path() + u'/').allCards();
    QCOMPARE(cards.size(), 3);
    QslPresentationForm form(nullptr);
    const auto text = [&form](const char* name) { return form.findChild<QLabel*>(name)->text(); };
    const auto card = [&] { return QStringList{text("NumberLabel"), text("DxccLabel"), text("InfoLabel")}; };
    auto* image = form.findChild<QLabel*>("CardImage");
    whileShown(form, [&] { form.present("DL0XYZ", cards, {"Germany", "Canary Islands", "France"}); }, [&] {
        QVERIFY(form.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        QCOMPARE(form.cursor().shape(), Qt::BlankCursor);
        QCOMPARE(form.size(), form.screen()->geometry().size());
        QCOMPARE(text("TitleLabel") + u'|' + text("CallLabel"), "QSL-Collection|DL0XYZ");
        QCOMPARE(card(), (QStringList{"1", "Germany", "DL1AB"}));
        form.nextCard();
        QCOMPARE(card(), (QStringList{"2", "Canary Islands", "EA8/Q1ABC:  1"}));
        const QRect shown = image->geometry();
        QVERIFY(!image->pixmap().isNull());
        QCOMPARE(image->pixmap().size(), shown.size());
        QVERIFY(qAbs(double(shown.width()) / shown.height() - 4.0 / 3.0) < 0.01);
        QVERIFY(qAbs(shown.center().x() - form.width() / 2) <= 1);
        QVERIFY(shown.top() > form.findChild<QLabel*>("TopLabel")->geometry().bottom());
        QCOMPARE(form.findChild<QLabel*>("InfoLabel")->geometry().top(), shown.bottom() + 11);
        QVERIFY(form.findChild<QLabel*>("InfoLabel")->geometry().bottom() <
                form.findChild<QLabel*>("BottomLabel")->geometry().top());
        grab(form, "slideshow.png");
        // The timer takes over: the unreadable card says so, then the first comes again.
        form.setSlideInterval(200);
        QTRY_COMPARE(text("NumberLabel"), "3");
        QVERIFY(image->text().contains(dir.file("f5xyz.jpg")));
        QTRY_COMPARE(text("NumberLabel"), "1");
        QVERIFY(!image->pixmap().isNull());
        QTest::keyClick(&form, Qt::Key_Space);
        QVERIFY(!form.isVisible());
        QVERIFY(form.cursor().shape() != Qt::BlankCursor);
    });
}

QTEST_MAIN(TestCardViews)
#include "test_cardviews.moc"
