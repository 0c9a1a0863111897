// contest-bench: a whole contest evaluation run on generated logs, the
// result table included, then its CSV text and workbook. Prints figures
// only; it judges nothing.
//
//   contest-bench [N...]      (default 10000 100000)
//
// Rules: fCall;fBand -> 1 point per new call and band on CW or SSB,
// fPrefix -> 1 multiplier per new DXCC prefix. The reference tables are the
// ones the build copies beside the program.

#include "evaluations/ContestEngine.h"
#include "evaluations/ContestRules.h"
#include "evaluations/ContestWorkbook.h"
#include "logstore/Codepage.h"
#include "logstore/LogFile.h"
#include "logstore/QsoRecord.h"
#include "refdata/Dxcc.h"
#include "settings/LanguageTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <random>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

void report(const QString& name, double value, const char* unit) {
    out() << name << ": " << QString::number(value, 'f', 3) << ' ' << unit << Qt::endl;
}

double peakRssMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0.0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0.0;
}

// A contest log: calls from many entities, a third of them worked again on
// another band or twice on the same one, locators for most contacts.
void writeLog(const QString& path, int n) {
    const QStringList prefixes{"DL", "DK", "F", "G", "EA", "I", "OK", "SP", "PA", "ON", "OE", "HB9", "K", "W", "N",
                               "VE", "JA", "VK", "ZL", "PY", "LU", "ZS", "UA", "UA9", "YB", "BY", "VU", "4X", "SV",
                               "9A", "S5", "LZ", "YO", "HA", "ES", "LY", "YL", "OH", "SM", "LA", "OZ", "TF", "EI"};
    const QStringList bands{"160m", "80m", "40m", "20m", "15m", "10m"};
    const QStringList modes{"CW", "SSB", "CW", "SSB", "FT8"};
    std::mt19937 random(4711);
    const auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    QStringList calls;
    for (int i = 0; i < n * 2 / 3 + 1; ++i) {
        QString call = prefixes[below(prefixes.size())] + QString::number(below(10));
        for (int l = 0, letters = 1 + below(3); l < letters; ++l)
            call += QChar(u'A' + below(26));
        calls << call;
    }
    QByteArray bytes = Codepage::encode(QsoRecord::headerLine()) + "\r\n";
    for (int i = 1; i <= n; ++i) {
        QsoRecord r;
        r[QsoRecord::Number] = QString::number(i);
        r[QsoRecord::Date] = QStringLiteral("25.11.2026");
        r[QsoRecord::Utc] = QStringLiteral("%1:%2:00").arg(i / 60 % 24, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'));
        r[QsoRecord::Band] = bands[below(bands.size())];
        r[QsoRecord::Mode] = modes[below(modes.size())];
        r[QsoRecord::Call] = calls[below(calls.size())];
        r[QsoRecord::RstTx] = QStringLiteral("599");
        r[QsoRecord::RstRx] = QStringLiteral("599");
        r[QsoRecord::TxPwr] = QStringLiteral("100W");
        if (below(4) != 0) {
            r[QsoRecord::Locator] = QString(QChar(u'A' + below(18))) + QChar(u'A' + below(18)) + QString::number(below(10)) +
                                    QString::number(below(10)) + QChar(u'A' + below(24)) + QChar(u'A' + below(24));
        }
        bytes += Codepage::encode(r.encodeLine()) + "\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString::fromLocal8Bit(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {10000, 100000};
    QTemporaryDir dir;
    const QString data = QCoreApplication::applicationDirPath();
    for (const char* name : {"DXCC.csv", "DXCC.ini"})
        QFile::copy(data + u'/' + QLatin1String(name), dir.filePath(QLatin1String(name)));
    const ContestRules rules(QVector<ContestRule>{
        {QStringLiteral("fCall;fBand"), QStringLiteral("1"), QStringLiteral("PKT"),
         QStringLiteral("fMode neq \"FT8\"")},
        {QStringLiteral("fPrefix"), QStringLiteral("1"), QStringLiteral("MLT"), QString()}});
    const LanguageTexts texts = LanguageTexts::builtInGerman();
    for (int n : sizes) {
        const QString path = dir.filePath(QStringLiteral("contest-%1.log").arg(n));
        writeLog(path, n);
        DxccAccess dxcc(dir.path());
        LogFile log(path);
        QElapsedTimer timer;
        timer.start();
        const ContestResult result = ContestEngine::run(log, rules, QStringLiteral("JO62QM"), dxcc, texts);
        const double seconds = timer.nsecsElapsed() / 1e9;
        if (!result.ok())
            qFatal("the run failed: %s", qPrintable(result.failure->text()));
        const QString prefix = QStringLiteral("contest_%1").arg(n);
        report(prefix + QStringLiteral("_run"), seconds, "s");
        report(prefix + QStringLiteral("_rows"), result.rows.size(), "rows");
        out() << prefix << "_totals: " << result.totals->points << " / " << result.totals->multipliers << " / "
              << result.totals->score << Qt::endl;
        timer.restart();
        const QByteArray csv = result.csv();
        report(prefix + QStringLiteral("_csv"), timer.nsecsElapsed() / 1e9, "s");
        report(prefix + QStringLiteral("_csv_size"), csv.size() / 1e6, "MB");
        timer.restart();
        ContestWorkbook::write(result, dir.filePath(QStringLiteral("contest.xlsx")));
        report(prefix + QStringLiteral("_xlsx"), timer.nsecsElapsed() / 1e9, "s");
        report(prefix + QStringLiteral("_peak_rss"), peakRssMb(), "MB");
    }
    return 0;
}
