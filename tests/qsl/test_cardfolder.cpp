#include "logstore/IoError.h"
#include "qsl/CardFolder.h"
#include "qsl/CardImage.h"
#include "qsl/SlideLayout.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QStorageInfo>
#include <QtTest>

#include <thread>

class TestCardFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cardsOfACall_data();
    void cardsOfACall();
    void movesIntoTheFirstFreeName_data();
    void movesIntoTheFirstFreeName();
    void twoRenamesAtOnceNeverShareAName();
    void movesAcrossFileSystems();
    void failedMoveKeepsTheScan_data();
    void failedMoveKeepsTheScan();
    void allCards_data();
    void allCards();
    void viewerCaption_data();
    void viewerCaption();
    void decodesForTheShownSize_data();
    void decodesForTheShownSize();
    void slideLayout_data();
    void slideLayout();
};

namespace {

void touch(const QString& path, const QByteArray& bytes = "x") {
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    f.write(bytes);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void TestCardFolder::cardsOfACall_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("cards");
    const QStringList mixed = {"dl1ab.jpg", "dl1abc.jpg", "dl1ab_2.jpg", "dl1ab_dayton.jpg", "DL1AB_1.JPG",
                               "dl1ab.png", "dl1ab.jpg.txt", "dl1ab.jpeg", "dl1ab-p.jpg", "xdl1ab.jpg"};
    QTest::newRow("exact, numbered, a word, scanner upper case; no longer call")
        << mixed << "DL1AB" << QStringList{"dl1ab.jpg", "DL1AB_1.JPG", "dl1ab_2.jpg", "dl1ab_dayton.jpg"};
    QTest::newRow("the longer call has its own card") << mixed << "dl1abc" << QStringList{"dl1abc.jpg"};
    QTest::newRow("slash in the call") << mixed << "DL1AB/P" << QStringList{"dl1ab-p.jpg"};
    QTest::newRow("prefix call of a slash call")
        << QStringList{"ea8-q1abc.jpg", "ea8-q1abc_1.jpg", "ea8.jpg"} << "EA8/Q1ABC"
        << QStringList{"ea8-q1abc.jpg", "ea8-q1abc_1.jpg"};
    QTest::newRow("blanks around the typed call") << QStringList{"dl1ab.jpg"} << " dl1ab " << QStringList{"dl1ab.jpg"};
    QTest::newRow("no call takes nothing") << QStringList{".jpg", "_1.jpg"} << "" << QStringList{};
    QTest::newRow("no card") << QStringList{"dl1abc.jpg", "dl1ab"} << "DL1AB" << QStringList{};
}

// A folder named like a card is no card.
void TestCardFolder::cardsOfACall() {
    QFETCH(QStringList, files);
    QFETCH(QString, call);
    QFETCH(QStringList, cards);
    TestFolder dir;
    for (const QString& f : files)
        touch(dir.file(f));
    QVERIFY(QDir(dir.path()).mkdir("dl1ab_folder.jpg"));
    const QString prefix = dir.path() + u'/';
    QStringList expected;
    for (const QString& c : cards)
        expected << prefix + c;
    const CardFolder folder(prefix);
    QCOMPARE(folder.cardsOf(call), expected);
    QCOMPARE(folder.hasCards(call), !expected.isEmpty());
}

void TestCardFolder::movesIntoTheFirstFreeName_data() {
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("prefixTail");
    QTest::addColumn<QString>("card");
    QTest::newRow("first card") << QStringList{} << "" << "ea8-q1abc.jpg";
    QTest::newRow("second scan of EA8/Q1ABC") << QStringList{"ea8-q1abc.jpg"} << "" << "ea8-q1abc_1.jpg";
    QTest::newRow("a gap is filled") << QStringList{"ea8-q1abc_1.jpg"} << "" << "ea8-q1abc.jpg";
    QTest::newRow("names taken in another letter case")
        << QStringList{"EA8-Q1ABC.JPG", "ea8-q1abc_1.jpg", "Ea8-Q1abc_2.Jpg", "ea8-q1abc_x.jpg"} << ""
        << "ea8-q1abc_3.jpg";
    QTest::newRow("a folder of that name is taken") << QStringList{"ea8-q1abc.jpg/"} << "" << "ea8-q1abc_1.jpg";
    QTest::newRow("prefix without separator") << QStringList{"qsl_ea8-q1abc.jpg"} << "qsl_" << "qsl_ea8-q1abc_1.jpg";
}

void TestCardFolder::movesIntoTheFirstFreeName() {
    QFETCH(QStringList, existing);
    QFETCH(QString, prefixTail);
    QFETCH(QString, card);
    TestFolder dir, scans;
    for (const QString& f : existing)
        f.endsWith(u'/') ? void(QDir(dir.path()).mkdir(f)) : touch(dir.file(f), "old");
    touch(scans.file("scan 0001.JPG"), "the scan");
    const CardFolder folder(dir.path() + u'/' + prefixTail);
    QCOMPARE(folder.moveIn(scans.file("scan 0001.JPG"), "EA8/Q1ABC"), dir.file(card));
    QCOMPARE(contents(dir.file(card)), QByteArray("the scan"));
    QVERIFY(!QFile::exists(scans.file("scan 0001.JPG")));
    for (const QString& f : existing)
        QVERIFY(f.endsWith(u'/') || contents(dir.file(f)) == "old");
    QVERIFY(folder.cardsOf("ea8/q1abc").contains(dir.file(card)));
}

// The claim is what keeps two renames from picking the same name.
void TestCardFolder::twoRenamesAtOnceNeverShareAName() {
    TestFolder dir, scans;
    const int perThread = 30;
    for (int i = 0; i < 2 * perThread; ++i)
        touch(scans.file(QString::number(i)), QByteArray::number(i));
    const CardFolder folder(dir.path() + u'/');
    QStringList targets[2];
    auto run = [&](int t) {
        for (int i = t * perThread; i < (t + 1) * perThread; ++i)
            targets[t] << folder.moveIn(scans.file(QString::number(i)), "DL1AB");
    };
    std::thread other(run, 1);
    run(0);
    other.join();
    QSet<QString> all(targets[0].begin(), targets[0].end());
    all.unite(QSet<QString>(targets[1].begin(), targets[1].end()));
    QCOMPARE(all.size(), 2 * perThread);
    QCOMPARE(folder.cardsOf("DL1AB").size(), 2 * perThread);
    for (int t = 0; t < 2; ++t)
        for (int i = 0; i < perThread; ++i)
            QCOMPARE(contents(targets[t][i]), QByteArray::number(t * perThread + i));
}

void TestCardFolder::movesAcrossFileSystems() {
    QTemporaryDir shm(QStringLiteral("/dev/shm/vesk-cards-XXXXXX"));
    TestFolder dir;
    if (!shm.isValid() || QStorageInfo(shm.path()).device() == QStorageInfo(dir.path()).device())
        QSKIP("needs /dev/shm on another file system than the temporary folder");
    QByteArray scan(3 << 20, '\0');
    for (qsizetype i = 0; i < scan.size(); ++i)
        scan[i] = char(i * 7919 >> 3);
    touch(shm.filePath("DL1AB.JPG"), scan);
    const QString target = CardFolder(dir.path() + u'/').moveIn(shm.filePath("DL1AB.JPG"), "DL1AB");
    QCOMPARE(target, dir.file("dl1ab.jpg"));
    QVERIFY(contents(target) == scan);
    QVERIFY(!QFile::exists(shm.filePath("DL1AB.JPG")));
}

void TestCardFolder::failedMoveKeepsTheScan_data() {
    QTest::addColumn<QString>("folderTail");
    QTest::addColumn<QString>("scanName");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("target");
    QTest::newRow("no such folder") << "missing/" << "scan.jpg" << "DL1AB" << "missing/dl1ab.jpg";
    QTest::newRow("folder not writable") << "readonly/" << "scan.jpg" << "DL1AB" << "readonly/dl1ab.jpg";
    QTest::newRow("no such scan") << "cards/" << "gone.jpg" << "DL1AB" << "cards/dl1ab.jpg";
    QTest::newRow("scan is a folder") << "cards/" << "scans" << "DL1AB" << "cards/dl1ab.jpg";
    QTest::newRow("no call") << "cards/" << "scan.jpg" << " " << "cards/";
}

void TestCardFolder::failedMoveKeepsTheScan() {
    QFETCH(QString, folderTail);
    QFETCH(QString, scanName);
    QFETCH(QString, call);
    QFETCH(QString, target);
    TestFolder dir;
    QDir(dir.path()).mkdir("cards");
    QDir(dir.path()).mkdir("scans");
    QDir(dir.path()).mkdir("readonly");
    QFile::setPermissions(dir.file("readonly"), QFile::ReadOwner | QFile::ExeOwner);
    if (folderTail == "readonly/" && QFile(dir.file("readonly/probe")).open(QIODevice::WriteOnly))
        QSKIP("this user writes into a read-only folder (root)");
    const QString scan = dir.file(scanName == "scans" ? scanName : "scans/" + scanName);
    if (scanName == "scan.jpg")
        touch(scan, "the scan");
    try {
        CardFolder(dir.path() + u'/' + folderTail).moveIn(scan, call);
        QFAIL("no IoError");
    } catch (const IoError& e) {
        const QString start = "ERROR (" + scan + " --> " + dir.file(target) + ": ";
        QVERIFY2(e.message().startsWith(start) && e.message().size() > start.size() + 3, qPrintable(e.message()));
    }
    if (scanName == "scan.jpg")
        QCOMPARE(contents(scan), QByteArray("the scan"));
    QCOMPARE(QDir(dir.file("cards")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{});
    QFile::setPermissions(dir.file("readonly"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestCardFolder::allCards_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("text");
    QTest::newRow("second scan of EA8/Q1ABC") << "ea8-q1abc_1.jpg" << "EA8/Q1ABC" << "EA8/Q1ABC:  1";
    QTest::newRow("first card") << "dl1ab.jpg" << "DL1AB" << "DL1AB";
    QTest::newRow("scanner upper case") << "DL1AB_2.JPG" << "DL1AB" << "DL1AB:  2";
    QTest::newRow("only the first _ splits") << "dl1ab_ham_radio-2024.jpg" << "DL1AB" << "DL1AB:  HAM_RADIO/2024";
    QTest::newRow("no call before _") << "_1.jpg" << "" << ":  1";
}

void TestCardFolder::allCards() {
    QFETCH(QString, name);
    QFETCH(QString, call);
    QFETCH(QString, text);
    TestFolder dir;
    for (const QString& f : {name, QStringLiteral("dl1ab.png"), QStringLiteral("._dl1ab.jpg")})
        touch(dir.file(f));
    const auto cards = CardFolder(dir.path() + u'/').allCards();
    QCOMPARE(cards.size(), 1);
    QCOMPARE((QStringList{cards[0].file, cards[0].call, cards[0].text}), (QStringList{dir.file(name), call, text}));
}

void TestCardFolder::viewerCaption_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first card") << "/home/op/qsl/dl1ab.jpg" << "QSL";
    QTest::newRow("an _ in the folder is no card text") << "/home/my_user/qsl/dl1ab.jpg" << "QSL";
    QTest::newRow("numbered") << "/home/my_user/qsl/ea8-q1abc_1.jpg" << "QSL \"1\"";
    QTest::newRow("text with _") << "/q/dl1ab_ham_radio.JPG" << "QSL \"ham_radio\"";
    QTest::newRow("empty text") << "/q/dl1ab_.jpg" << "QSL \"\"";
}

void TestCardFolder::viewerCaption() {
    QFETCH(QString, file);
    QFETCH(QString, caption);
    QCOMPARE(CardFolder::viewerCaption(file), caption);
}

void TestCardFolder::decodesForTheShownSize_data() {
    QTest::addColumn<QSize>("scan");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("a quarter of a scan") << QSize(1600, 1200) << QSize(400, 400) << QSize(400, 300);
    QTest::newRow("not by eighths") << QSize(1600, 1200) << QSize(1000, 1000) << QSize(1000, 750);
    QTest::newRow("small card is not enlarged") << QSize(320, 200) << QSize(1920, 1080) << QSize(320, 200);
}

// Columns of one pixel, black and white: scaled smoothly they turn shades
// of grey, by dropping pixels they stay black or white.
void TestCardFolder::decodesForTheShownSize() {
    QFETCH(QSize, scan);
    QFETCH(QSize, box);
    QFETCH(QSize, shown);
    QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
    TestFolder dir;
    QImage stripes(scan, QImage::Format_Grayscale8);
    for (int x = 0; x < scan.width(); ++x)
        for (int y = 0; y < scan.height(); ++y)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    QVERIFY(stripes.save(dir.file("dl1ab.jpg"), "JPEG", 100));
    const CardImage::Loaded card = CardImage::load(dir.file("dl1ab.jpg"), box);
    QVERIFY2(card.error.isEmpty(), qPrintable(card.error));
    QCOMPARE(card.image.size(), shown);
    if (shown == scan)
        return;
    const int y = shown.height() / 2;
    for (int x = 0; x < shown.width(); ++x) {
        const int grey = qGray(card.image.pixel(x, y));
        QVERIFY2(grey > 24 && grey < 231, qPrintable(QStringLiteral("pixel %1: %2").arg(x).arg(grey)));
    }
}

// A 1920 x 1080 screen, bands of 64 and 44, card text 30 high: 922 pixels
// for the card.
void TestCardFolder::slideLayout_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("image");
    QTest::newRow("fits: own size, centred") << QSize(800, 600) << QRect(560, 230, 800, 600);
    QTest::newRow("exactly the room") << QSize(1920, 922) << QRect(0, 69, 1920, 922);
    QTest::newRow("too wide: screen width") << QSize(3000, 800) << QRect(0, 274, 1920, 512);
    QTest::newRow("too high: available height") << QSize(4000, 3000) << QRect(346, 69, 1229, 922);
    QTest::newRow("too high and then still too wide") << QSize(8000, 1000) << QRect(0, 410, 1920, 240);
}

void TestCardFolder::slideLayout() {
    QFETCH(QSize, picture);
    QFETCH(QRect, image);
    const SlideLayout layout{QSize(1920, 1080), 64, 44, 30};
    QCOMPARE(layout.availableHeight(), 922);
    QCOMPARE(layout.imageRect(picture), image);
    const QRect info = layout.infoRect(image, 301);
    QCOMPARE(info, QRect(810, image.bottom() + 11, 301, 30));
    QVERIFY(info.bottom() < 1080 - 44);
}

QTEST_GUILESS_MAIN(TestCardFolder)
#include "test_cardfolder.moc"
