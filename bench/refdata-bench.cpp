// refdata-bench: what a keystroke in the call or DOK field costs with the
// shipped reference tables. Prints figures only; it judges nothing.
//
//   refdata-bench [DATA_FOLDER] [N]
//
// DATA_FOLDER defaults to the folder of the program (the build copies data/
// there), N to 100000 lookups.

#include "refdata/DokDirectory.h"
#include "refdata/Dxcc.h"
#include "refdata/Locator.h"
#include "settings/LanguageTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

void report(const char* name, double value, const char* unit) {
    out() << name << ": " << QString::number(value, 'f', 2) << ' ' << unit << Qt::endl;
}

// Calls as an operator types them, a letter at a time, from many entities.
QStringList typedCalls() {
    const QStringList calls{"DL1ABC", "EA8/DL1ABC", "KH6XYZ", "VK9XA", "3D2AB", "W1AW", "JA1ABC", "G4ABC/P",
                            "VE3XYZ", "ZL1AA", "PY2ABC", "UA9ABC", "LU1ABC", "ZS6AB", "4X4AB", "qa1abc"};
    QStringList typed;
    for (const QString& call : calls) {
        for (qsizetype n = 1; n <= call.size(); ++n)
            typed << call.left(n);
    }
    return typed;
}

template <typename Lookup>
double microsecondsPerCall(int count, Lookup lookup) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i)
        lookup(i);
    return double(timer.nsecsElapsed()) / 1000.0 / count;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString source = args.size() > 1 ? args[1] : QCoreApplication::applicationDirPath();
    const int count = args.size() > 2 ? args[2].toInt() : 100000;
    if (count <= 0 || !QFile::exists(source + QStringLiteral("/DXCC.csv"))) {
        QTextStream(stderr) << "usage: refdata-bench [DATA_FOLDER] [N]  (DATA_FOLDER holds DXCC.csv)" << Qt::endl;
        return 2;
    }
    // A copy, so that the edit below touches no shipped file.
    QTemporaryDir dir;
    for (const char* name : {"DXCC.csv", "DXCC.ini", "DOK.ini"})
        QFile::copy(source + u'/' + QLatin1String(name), dir.filePath(QLatin1String(name)));

    const QStringList calls = typedCalls();
    qsizetype found = 0;
    {
        DxccAccess dxcc(dir.path());
        QElapsedTimer first;
        first.start();
        found += dxcc.GetDxccCountry(QStringLiteral("DL1ABC")).size();
        report("dxcc first lookup (reads both files)", double(first.nsecsElapsed()) / 1e6, "ms");
        report("dxcc GetDxccCountry", microsecondsPerCall(count, [&](int i) {
                   found += dxcc.GetDxccCountry(calls[i % calls.size()]).size();
               }),
               "us per call");
        report("dxcc GetDxccInfo", microsecondsPerCall(count, [&](int i) {
                   found += dxcc.GetDxccInfo(calls[i % calls.size()]).Number;
               }),
               "us per call");
        QFile csv(dir.filePath(QStringLiteral("DXCC.csv")));
        csv.open(QIODevice::Append);
        csv.write("\r\n");
        csv.close();
        QElapsedTimer again;
        again.start();
        found += dxcc.GetDxccCountry(QStringLiteral("DL1ABC")).size();
        report("dxcc lookup after an edit (reads again)", double(again.nsecsElapsed()) / 1e6, "ms");
    }
    {
        DokDirectory dok(dir.filePath(QStringLiteral("DOK.ini")));
        const QStringList doks{"A", "A0", "A01", "B", "B4", "B43", "Z", "Z9", "Z94", "X99"};
        report("dok labelsFor", microsecondsPerCall(count, [&](int i) {
                   found += dok.labelsFor(doks[i % doks.size()]).club.size();
               }),
               "us per call");
    }
    {
        // Bearing and distance as the mask computes them on every sixth
        // character typed into the locator field.
        const LanguageTexts texts;
        const QStringList locators{"JM58TD", "FN31PR", "QF56OD", "RE78IR", "AA00AA", "JN58TD", "KP20LE", "GG66RL"};
        report("LocatDistance", microsecondsPerCall(count * 10, [&](int i) {
                   found += Locator::LocatDistance(QStringLiteral("JN58TD"), locators[i % locators.size()], texts)
                                .distance.size();
               }),
               "us per call");
    }
    out() << "(" << found << " characters and numbers found)" << Qt::endl;
    return 0;
}
