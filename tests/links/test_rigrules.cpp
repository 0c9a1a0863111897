#include "links/RigBands.h"
#include "links/RigSettings.h"
#include "links/RigctldClient.h"
#include "settings/Settings.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestRigRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bandOfHertz_data();
    void bandOfHertz();
    void hertzOfText_data();
    void hertzOfText();
    void tuningIsTheLowerEdgeAndRecognisedAgain();
    void modeFromRig_data();
    void modeFromRig();
    void readmeTableIsTheCodeTable();
    void commentsWithFrequency_data();
    void commentsWithFrequency();
    void bandCommands_data();
    void bandCommands();
    void modeCommands_data();
    void modeCommands();
    void settingsSection_data();
    void settingsSection();
    void answerFraming_data();
    void answerFraming();
};

void TestRigRules::bandOfHertz_data() {
    QTest::addColumn<qint64>("hz");
    QTest::addColumn<QString>("band");
    QTest::newRow("FT8 on 40m") << qint64(7074000) << "40m";
    QTest::newRow("above the 40m edge") << qint64(7250000) << "";
    QTest::newRow("kHz cut: 2000999") << qint64(2000999) << "160m";
    QTest::newRow("below 160m") << qint64(1809999) << "";
    QTest::newRow("30m upper edge") << qint64(10150999) << "30m";
    QTest::newRow("between 30m and 20m") << qint64(10151000) << "";
    QTest::newRow("13cm beyond 32 bits of Hz") << qint64(2400000000) << "13cm";
    QTest::newRow("3cm") << qint64(10368000000) << "3cm";
    QTest::newRow("1,2cm") << qint64(24048000000) << "1,2cm";
}

void TestRigRules::bandOfHertz() {
    QFETCH(qint64, hz);
    QFETCH(QString, band);
    QCOMPARE(RigBands::bandOfHertz(hz), band);
}

void TestRigRules::hertzOfText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("hz"); // -1: not a frequency
    QTest::newRow("plain") << "7074000" << qint64(7074000);
    QTest::newRow("with zero fraction") << "7074000.000000" << qint64(7074000);
    QTest::newRow("24 GHz") << "24000000000" << qint64(24000000000);
    QTest::newRow("empty") << "" << qint64(-1);
    QTest::newRow("negative") << "-5" << qint64(-1);
    QTest::newRow("real fraction") << "7074000.5" << qint64(-1);
    QTest::newRow("too many digits") << "1234567890123456789012" << qint64(-1);
}

void TestRigRules::hertzOfText() {
    QFETCH(QString, text);
    QFETCH(qint64, hz);
    const std::optional<qint64> got = RigBands::hertzOfText(text);
    QCOMPARE(got.value_or(-1), hz);
}

void TestRigRules::tuningIsTheLowerEdgeAndRecognisedAgain() {
    QCOMPARE(RigBands::bands().size(), 18);
    for (const RigBands::Band& b : RigBands::bands()) {
        const qint64 hz = RigBands::tuningHertz(QLatin1String(b.text));
        QCOMPARE(hz, b.fromKhz * 1000);
        // The rig tuned there reports a frequency that gives the same band.
        QCOMPARE(RigBands::bandOfHertz(hz), QLatin1String(b.text));
    }
    QCOMPARE(RigBands::tuningHertz(QStringLiteral("60m")), qint64(0));
}

void TestRigRules::modeFromRig_data() {
    QTest::addColumn<QString>("rig");
    QTest::addColumn<QString>("mask");
    QTest::newRow("LSB") << "LSB" << "SSB";
    QTest::newRow("CW reverse") << "CWR" << "CW-R";
    QTest::newRow("RTTY reverse") << "RTTYR" << "RTTY-R";
    QTest::newRow("data USB") << "PKTUSB" << "DIG";
    QTest::newRow("packet FM, Hamlib 4.5") << "FM-D" << "PKT";
    QTest::newRow("unknown stays") << "SAM" << "SAM";
}

void TestRigRules::modeFromRig() {
    QFETCH(QString, rig);
    QFETCH(QString, mask);
    QCOMPARE(RigModes::fromRig(rig), mask);
}

void TestRigRules::readmeTableIsTheCodeTable() {
    QFile readme(qEnvironmentVariable("VESK_SOURCE_DIR") + QStringLiteral("/README.md"));
    QVERIFY2(readme.open(QIODevice::ReadOnly), qPrintable(readme.fileName()));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype start = text.indexOf(QStringLiteral("| Vesk | rigctld | way |"));
    QVERIFY2(start >= 0, "README lacks the mode table of the rig link");
    QStringList rows;
    for (const QString& line : text.mid(start).split(u'\n').mid(2)) {
        if (!line.startsWith(u'|'))
            break;
        QStringList cells = line.split(u'|', Qt::SkipEmptyParts);
        for (QString& c : cells)
            c = c.trimmed().remove(u'`');
        rows << cells.join(u' ');
    }
    QStringList code;
    for (const RigModes::Mapping& m : RigModes::table()) {
        const char* way = m.way == RigModes::Way::Both ? "both" : m.way == RigModes::Way::ToRig ? "to rig" : "from rig";
        code << QStringLiteral("%1 %2 %3").arg(QLatin1String(m.mask), QLatin1String(m.rig), QLatin1String(way));
    }
    QCOMPARE(rows, code);
}

void TestRigRules::commentsWithFrequency_data() {
    QTest::addColumn<QString>("comments");
    QTest::addColumn<QString>("hertz");
    QTest::addColumn<QString>("result");
    QTest::newRow("empty memo") << "" << "7074000" << "f = 7074000Hz";
    QTest::newRow("earlier frequency overwritten") << "f = 3500000Hz\nQRP" << "7074000" << "f = 7074000Hz\nQRP";
    QTest::newRow("remark moves down") << "nice QSO\nsecond" << "7074000" << "f = 7074000Hz\nnice QSO\nsecond";
    QTest::newRow("empty first line is used") << "\nsecond" << "14074000" << "f = 14074000Hz\nsecond";
    QTest::newRow("empty frequency clears the line") << "f = 3500000Hz\nQRP" << "" << "\nQRP";
}

void TestRigRules::commentsWithFrequency() {
    QFETCH(QString, comments);
    QFETCH(QString, hertz);
    QFETCH(QString, result);
    QCOMPARE(RigRules::commentsWithFrequency(comments, hertz), result);
}

void TestRigRules::bandCommands_data() {
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("commands");
    QTest::newRow("20m SSB") << "20m" << "SSB" << QStringList{"F 14000000", "M USB 0"};
    QTest::newRow("80m SSB") << "80m" << "SSB" << QStringList{"F 3500000", "M LSB 0"};
    QTest::newRow("40m CW: frequency only") << "40m" << "CW" << QStringList{"F 7000000"};
    QTest::newRow("3cm beyond 32 bits") << "3cm" << "FM" << QStringList{"F 10000000000"};
    QTest::newRow("unknown band sends nothing") << "60m" << "SSB" << QStringList{};
}

void TestRigRules::bandCommands() {
    QFETCH(QString, band);
    QFETCH(QString, mode);
    QFETCH(QStringList, commands);
    QCOMPARE(RigRules::bandCommands(band, mode), commands);
}

void TestRigRules::modeCommands_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("hertz");
    QTest::addColumn<QStringList>("commands");
    QTest::newRow("SSB at 14.2 MHz") << "SSB" << "14200000" << QStringList{"M USB 0"};
    QTest::newRow("SSB at 3.7 MHz") << "SSB" << "3700000" << QStringList{"M LSB 0"};
    QTest::newRow("SSB before any report") << "SSB" << "" << QStringList{};
    QTest::newRow("FSK is RTTY at the rig") << "FSK" << "" << QStringList{"M RTTY 0"};
    QTest::newRow("DIG") << "DIG" << "" << QStringList{"M PKTUSB 0"};
    QTest::newRow("CW-R") << "CW-R" << "7000000" << QStringList{"M CWR 0"};
    QTest::newRow("PSK stays at the mask") << "PSK" << "7040000" << QStringList{};
}

void TestRigRules::modeCommands() {
    QFETCH(QString, mode);
    QFETCH(QString, hertz);
    QFETCH(QStringList, commands);
    QCOMPARE(RigRules::modeCommands(mode, hertz), commands);
}

void TestRigRules::settingsSection_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("nothing stored") << QByteArray() << "localhost" << 4532;
    QTest::newRow("stored") << QByteArray("[Rig]\r\nHost=shack-pi\r\nPort=4533\r\n") << "shack-pi" << 4533;
    QTest::newRow("port out of range") << QByteArray("[Rig]\r\nPort=70000\r\n") << "localhost" << 4532;
    QTest::newRow("port no number") << QByteArray("[Rig]\r\nPort=abc\r\n") << "localhost" << 4532;
    QTest::newRow("blank host") << QByteArray("[Rig]\r\nHost=  \r\n") << "localhost" << 4532;
}

void TestRigRules::settingsSection() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, host);
    QFETCH(int, port);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Vesk.ini"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(ini);
    f.close();
    Settings settings(file);
    settings.load();
    QCOMPARE(RigSettings::host(settings), host);
    QCOMPARE(RigSettings::port(settings), port);
    // Written and read again through the file.
    RigSettings::setHost(settings, QStringLiteral(" rig.local "));
    RigSettings::setPort(settings, 4600);
    settings.save();
    Settings again(file);
    again.load();
    QCOMPARE(RigSettings::host(again), QStringLiteral("rig.local"));
    QCOMPARE(RigSettings::port(again), 4600);
}

void TestRigRules::answerFraming_data() {
    QTest::addColumn<QByteArrayList>("arrivals");
    QTest::addColumn<QStringList>("replies"); // "code:line|line"
    QTest::addColumn<bool>("overflow");
    QTest::newRow("two answers in one arrival")
        << QByteArrayList{"Frequency: 7074000\nRPRT 0\nMode: USB\nPassband: 2400\nRPRT 0\n"}
        << QStringList{"0:Frequency: 7074000", "0:Mode: USB|Passband: 2400"} << false;
    QTest::newRow("cut inside lines, CR LF")
        << QByteArrayList{"Freq", "uency: 1\r", "\nRP", "RT -11\r\n"} << QStringList{"-11:Frequency: 1"} << false;
    QTest::newRow("return code no number") << QByteArrayList{"RPRT x\n", "RPRT \n"} << QStringList{"-1:", "-1:"}
                                           << false;
    QTest::newRow("answer not ended yet") << QByteArrayList{"Frequency: 1\nRPRT 0"} << QStringList{} << false;
    // Many long lines that never reach "RPRT": counted by their bytes, not
    // their number, or a peer could fill the memory line by line.
    const QByteArray longLine = QByteArray(100000, 'x') + '\n';
    QTest::newRow("long lines without an end") << QByteArrayList(12, longLine) << QStringList{} << true;
    QTest::newRow("ended answer is no overflow")
        << (QByteArrayList(12, longLine) << "RPRT 0\n")
        << QStringList{QStringLiteral("0:") + QStringList(12, QString(100000, u'x')).join(u'|')} << false;
    QTest::newRow("unended rest too long") << QByteArrayList{QByteArray(RigAnswerReader::MaxAnswer + 1, 'y')}
                                           << QStringList{} << true;
}

void TestRigRules::answerFraming() {
    QFETCH(QByteArrayList, arrivals);
    QFETCH(QStringList, replies);
    QFETCH(bool, overflow);
    RigAnswerReader reader;
    QStringList got;
    QString line;
    for (const QByteArray& bytes : std::as_const(arrivals)) {
        reader.append(bytes);
        while (reader.nextLine(line)) {
            if (const std::optional<RigReply> reply = reader.take(line))
                got << QString::number(reply->code) + u':' + reply->lines.join(u'|');
        }
    }
    QCOMPARE(got, replies);
    QCOMPARE(reader.overflowed(), overflow);
}

QTEST_GUILESS_MAIN(TestRigRules)
#include "test_rigrules.moc"
