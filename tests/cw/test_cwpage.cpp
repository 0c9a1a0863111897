#include "MorseDecoder.h"
#include "RecordingAudio.h"
#include "StartedProgram.h"
#include "cw/CwSettings.h"
#include "cw/ToneBuffer.h"
#include "cw/ui/CwArea.h"
#include "entry/ui/EntryArea.h"
#include "entry/ui/LogGridView.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

const QStringList kLog = {
    "1;06.12.2026;18:00:00;20m;CW;DL1ABC;599;599;B01;Hans;Kassel;JO41AA;100W;;;",
    "2;06.12.2026;18:05:00;40m;CW;OK2XYZ;579;589;;Jana;Brno;JN89AA;5W;;;",
};

// The program on kLog with the given [CW] lines, sound recorded.
struct CwProgram {
    explicit CwProgram(const QByteArray& cw = {}) : run(kLog, cw.isEmpty() ? QByteArray() : "[CW]\r\n" + cw) {
        run.p.session.setAudio(audio);
    }
    StartedProgram& p() { return run.p; }
    QAction* menu() { return p().find<QAction>("CwMenu"); }
    QPushButton* testButton() { return p().find<QPushButton>("cwTestBtn"); }
    void ctrlM() {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &p().w;
        QTest::keyClick(target, Qt::Key_M, Qt::ControlModifier);
    }
    // The samples of the next sending, once the controls are back.
    QByteArray next() {
        if (!QTest::qWaitFor([&] { return menu()->isEnabled() && audio.played().size() > seen; }))
            QTest::qFail("no sending, or the controls did not come back", __FILE__, __LINE__);
        return audio.played().value(seen++);
    }
    DecodedMorse lastSending() { return decodeMorse(next()); }
    DecodedMorse fromMenu() {
        menu()->trigger();
        return lastSending();
    }

    ProgramOnLog run;
    RecordingAudio audio;
    int seen = 0;
};

qint64 samplesOf(int ms) { return ToneBuffer::sampleCount(ms); }

} // namespace

class TestCwPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ctrlMSendsTheSelectedContact();
    void thePageInFrontChoosesTheContact();
    void evaluationsPageSendsTheErrorSign();
    void restoreDefaultsThenCancel();
    void okStoresOneByOne();
    void testSendingUsesThePageButNotTheFields();
    void unusableStoredValuesAreRefused_data();
    void unusableStoredValuesAreRefused();
    void missingSpeakerIsToldOnce();
    void tooHighPitchIsToldTwice();
    void soundCardFailureIsOneMessage();
};

void TestCwPage::ctrlMSendsTheSelectedContact() {
    CwProgram cw("WpM=100\r\nFeld6=1\r\nFeld10=1\r\n");
    StartedProgram& p = cw.p();
    cw.audio.hold = true;
    p.w.showPage(Page::List);
    p.find<LogGridView>("ListeStringGrid")->selectRecord(1);
    p.find<LogGridView>("ListeStringGrid")->setFocus();
    cw.ctrlM();
    QTRY_COMPARE(cw.audio.played().size(), 1);
    // Sending: neither the menu (nor with it its shortcut) nor the test button.
    QVERIFY(!cw.menu()->isEnabled());
    QVERIFY(!cw.testButton()->isEnabled());
    cw.ctrlM();
    cw.audio.release();
    QTRY_VERIFY(cw.menu()->isEnabled());
    QVERIFY(cw.testButton()->isEnabled());
    QCOMPARE(cw.audio.played().size(), 1);

    QCOMPARE(cw.lastSending().text, QStringLiteral("ok2xyz jana"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestCwPage::thePageInFrontChoosesTheContact() {
    CwProgram cw("Feld6=1\r\n");
    StartedProgram& p = cw.p();
    // The entry tab sends the list's contact.
    p.find<LogGridView>("ListeStringGrid")->selectRecord(0);
    p.w.showPage(Page::Entry);
    QCOMPARE(cw.fromMenu().text, QStringLiteral("dl1abc"));
    // The edit tab: the contact whose number it shows.
    p.w.openForEdit(1, ReturnTarget::List);
    QCOMPARE(cw.fromMenu().text, QStringLiteral("ok2xyz"));
    // The search tab without a result: the empty contact, a blank only.
    p.w.showPage(Page::Search);
    cw.menu()->trigger();
    QCOMPARE(cw.next(), QByteArray(samplesOf(7 * 80), char(127)));
    // A result row: its number in column 0.
    QVERIFY(p.w.entryArea().search({SearchCondition{true, SearchField::Call, SearchOperator::Is, QStringLiteral("DL1ABC")}}));
    p.find<LogGridView>("sStringGrid")->selectRecord(0);
    QCOMPARE(cw.fromMenu().text, QStringLiteral("dl1abc"));
    QVERIFY(p.dialogs.errors.isEmpty());
}

void TestCwPage::evaluationsPageSendsTheErrorSign() {
    CwProgram cw; // no field chosen: it would send nothing
    StartedProgram& p = cw.p();
    p.w.showPage(Page::List);
    p.find<LogGridView>("ListeStringGrid")->selectRecord(0);
    cw.menu()->trigger();
    QCOMPARE(cw.next(), QByteArray());
    p.w.showPage(Page::Evaluations);
    QCOMPARE(cw.fromMenu().text, QString(QChar(1))); // eight dots
}

void TestCwPage::restoreDefaultsThenCancel() {
    CwProgram cw("Frq=600\r\nWpM=100\r\nVolume=30\r\nPcSpeaker=1\r\nFeld3=1\r\n");
    StartedProgram& p = cw.p();
    auto* frq = p.find<QLineEdit>("cwFrqEdit");
    auto* wpm = p.find<QLineEdit>("cwWpMEdit");
    auto* volume = p.find<QSlider>("cwVolumeTrackBar");
    auto* speaker = p.find<QRadioButton>("cwPcSpeakerRadioBtn");
    auto* soundCard = p.find<QRadioButton>("cwSoundkarteRadioBtn");
    auto* feld3 = p.find<QCheckBox>("cwFeld3ChkBox");
    auto* test = p.find<QLineEdit>("cwTestEdit");
    const auto shown = [&] {
        return QStringList{frq->text(), wpm->text(), QString::number(volume->value()),
                           speaker->isChecked() ? "PC" : soundCard->isChecked() ? "card" : "none",
                           feld3->isChecked() ? "Feld3" : "-", test->text()};
    };
    QCOMPARE(shown(), QStringList({"600", "100", "30", "PC", "Feld3", "PARIS PARIS PARIS"}));
    const QByteArray stored = p.session.settings().serialize();

    test->setText(QStringLiteral("CQ"));
    feld3->setChecked(false);
    p.find<QPushButton>("cwDefaultBtn")->click();
    QCOMPARE(shown(), QStringList({"800", "75", "12", "card", "-", "PARIS PARIS PARIS"}));
    QCOMPARE(p.session.settings().serialize(), stored);

    p.find<QPushButton>("cwCancelBtn")->click();
    QCOMPARE(shown(), QStringList({"600", "100", "30", "PC", "Feld3", "PARIS PARIS PARIS"}));
    QCOMPARE(p.session.settings().serialize(), stored);

    // Esc anywhere on the page is "Cancel".
    frq->setText(QStringLiteral("1234"));
    QTest::keyClick(frq, Qt::Key_Escape);
    QCOMPARE(frq->text(), QStringLiteral("600"));
}

void TestCwPage::okStoresOneByOne() {
    CwProgram cw;
    StartedProgram& p = cw.p();
    const QByteArray before = cw.run.dir.read("Vesk.ini");
    p.find<QLineEdit>("cwFrqEdit")->setText(QStringLiteral("700"));
    p.find<QLineEdit>("cwWpMEdit")->setText(QStringLiteral("schnell"));
    p.find<QPushButton>("cwOkBtn")->click();
    QCOMPARE(p.dialogs.errors, QStringList("'schnell' ist kein gültiger Integerwert"));
    // The pitch before it is stored; the file is not written.
    QCOMPARE(CwSettings::frequency(p.session.settings()), 700);
    QVERIFY(!p.session.settings().contains(QStringLiteral("CW"), QStringLiteral("WpM")));
    QCOMPARE(cw.run.dir.read("Vesk.ini"), before);

    p.find<QLineEdit>("cwWpMEdit")->setText(QStringLiteral("120"));
    p.find<QSlider>("cwVolumeTrackBar")->setValue(127);
    p.find<QCheckBox>("cwFeld6ChkBox")->setChecked(true);
    // Return anywhere on the page is "OK".
    QTest::keyClick(p.find<QLineEdit>("cwWpMEdit"), Qt::Key_Return);
    const QString file = QString::fromLatin1(cw.run.dir.read("Vesk.ini"));
    const QString section = file.mid(file.indexOf(QStringLiteral("[CW]")));
    QString expected = QStringLiteral("[CW]\r\nFrq=700\r\nWpM=120\r\nVolume=127\r\nPcSpeaker=0\r\n");
    for (int n = 1; n <= 16; ++n)
        expected += QStringLiteral("Feld%1=%2\r\n").arg(n).arg(n == 6 ? 1 : 0);
    QCOMPARE(section.left(expected.size()), expected);
}

void TestCwPage::testSendingUsesThePageButNotTheFields() {
    CwProgram cw("Feld6=1\r\n");
    StartedProgram& p = cw.p();
    p.find<QLineEdit>("cwFrqEdit")->setText(QStringLiteral("1000"));
    p.find<QLineEdit>("cwWpMEdit")->setText(QStringLiteral("150"));
    p.find<QSlider>("cwVolumeTrackBar")->setValue(100);
    p.find<QLineEdit>("cwTestEdit")->setText(QStringLiteral("Test"));
    p.find<QCheckBox>("cwFeld10ChkBox")->setChecked(true); // not stored
    p.find<QPushButton>("cwTestBtn")->click();
    const QByteArray played = cw.next();
    const DecodedMorse heard = decodeMorse(played);
    QCOMPARE(heard.text, QStringLiteral("test"));
    QVERIFY(std::abs(heard.unitSamples - samplesOf(40)) < 10);
    QCOMPARE(*std::max_element(played.begin(), played.end(), [](char a, char b) { return quint8(a) < quint8(b); }),
             char(127 + 99));

    // The menu still sends the stored selection, with the stored values.
    p.w.showPage(Page::List);
    p.find<LogGridView>("ListeStringGrid")->selectRecord(0);
    const DecodedMorse menu = cw.fromMenu();
    QCOMPARE(menu.text, QStringLiteral("dl1abc"));
    QVERIFY(std::abs(menu.unitSamples - samplesOf(80)) < 10);

    // A speed that is no integer: the conversion error, no sending.
    p.find<QLineEdit>("cwWpMEdit")->setText(QStringLiteral("7 5"));
    p.find<QPushButton>("cwTestBtn")->click();
    QCOMPARE(p.dialogs.errors, QStringList("'7 5' ist kein gültiger Integerwert"));
    QVERIFY(cw.testButton()->isEnabled());
    QCOMPARE(cw.audio.played().size(), cw.seen);
}

void TestCwPage::unusableStoredValuesAreRefused_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("message");
    QTest::newRow("speed 0") << QByteArray("WpM=0\r\n")
                             << "CW-Ausgabe: Die Geschwindigkeit 0 WpM ist ungültig, sie muss mindestens 1 sein. Es "
                                "wird nichts gesendet.";
    QTest::newRow("volume above 127") << QByteArray("Volume=200\r\n") << "Die Lautstärke 200 liegt nicht";
}

void TestCwPage::unusableStoredValuesAreRefused() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    CwProgram cw(settings + "Feld6=1\r\n");
    StartedProgram& p = cw.p();
    p.w.showPage(Page::List);
    cw.menu()->trigger();
    QVERIFY2(p.dialogs.oneErrorWith({message}), qPrintable(p.dialogs.errors.join(u'\n')));
    QVERIFY(cw.menu()->isEnabled());
    QVERIFY(!p.w.cwArea().sending());
    QTest::qWait(50);
    QVERIFY(cw.audio.played().isEmpty());
}

void TestCwPage::missingSpeakerIsToldOnce() {
    CwProgram cw("PcSpeaker=1\r\nFeld6=1\r\n");
    StartedProgram& p = cw.p();
    cw.audio.problem = QStringLiteral("Kein PC-Lautsprecher gefunden: Das Kernelmodul pcspkr ist nicht geladen.");
    p.w.showPage(Page::List);
    p.find<LogGridView>("ListeStringGrid")->selectRecord(0);
    QCOMPARE(cw.fromMenu().text, QStringLiteral("dl1abc"));
    QCOMPARE(cw.fromMenu().text, QStringLiteral("dl1abc"));
    QCOMPARE(p.dialogs.infos, QStringList(cw.audio.problem + "\nDie CW-Ausgabe geht stattdessen über die Soundkarte."));
    QVERIFY(cw.audio.beeped().isEmpty());
}

void TestCwPage::tooHighPitchIsToldTwice() {
    CwProgram cw;
    StartedProgram& p = cw.p();
    p.find<QLineEdit>("cwFrqEdit")->setText(QStringLiteral("6616"));
    p.find<QPushButton>("cwTestBtn")->click();
    cw.next();
    QCOMPARE(p.dialogs.errors, QStringList(2, "Sample rate of 11025 is too Low to play a tone of 6616Hz"));
}

// No audio server, or one that fails: one message, and the controls come back.
void TestCwPage::soundCardFailureIsOneMessage() {
    CwProgram cw("Feld6=1\r\n");
    StartedProgram& p = cw.p();
    cw.audio.failure = QStringLiteral("CW-Ausgabe: Es gibt kein Audio-Ausgabegerät.");
    p.w.showPage(Page::List);
    cw.fromMenu();
    QVERIFY(cw.testButton()->isEnabled());
    QCOMPARE(p.dialogs.errors, QStringList(cw.audio.failure));
}

VESK_TEST_MAIN(TestCwPage)
#include "test_cwpage.moc"
