#include "cli/ReferenceCommands.h"

#include "cli/BatchCommands.h"
#include "session/ProgramFolder.h"
#include "logstore/GermanNumber.h"
#include "logstore/IoError.h"
#include "platform/Clock.h"
#include "refdata/DokDirectory.h"
#include "refdata/Dxcc.h"
#include "refdata/DxccTime.h"
#include "refdata/Locator.h"
#include "refdata/SunTimes.h"
#include "settings/LanguageTexts.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QLocale>

namespace {

const QStringList kCommands = {QStringLiteral("dxcc"), QStringLiteral("dxcc-index"), QStringLiteral("locator"),
                               QStringLiteral("sun"),  QStringLiteral("dok"),        QStringLiteral("dok-import")};

// Degrees on the command line: a decimal point or a decimal comma.
std::optional<double> degrees(const QString& text) {
    QString t = text.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double value = t.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}


QString number(double value) { return QLocale::c().toString(value, 'g', 10); }

int dxcc(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err) {
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    QDateTime utc = clock.utcNow();
    if (!line.utc.isEmpty()) {
        const QDateTime given = QDateTime::fromString(line.utc, QStringLiteral("yyyy-MM-ddTHH:mm"));
        utc = QDateTime(given.date(), given.time(), Qt::UTC);
    }
    DxccAccess access(folder);
    const DxccInfo info = access.GetDxccInfo(line.operands[0].toUpper());
    for (const QString& p : access.problems())
        err << p << Qt::endl;
    if (info.Country.isEmpty()) {
        err << msgText(Msg::CliNoDxcc).arg(line.operands[0]) << Qt::endl;
        return 1;
    }
    const QList<std::pair<const char*, QString>> fields = {
        {"Call", info.Call},
        {"Prefix", info.Prefix},
        {"MainPrefix", info.MainPrefix},
        {"Country", info.Country},
        {"Continent", info.Continent},
        {"Number", QString::number(info.Number)},
        {"Ranking", QString::number(info.Ranking)},
        {"Zones", info.Zones},
        {"Longitude", number(info.Longitude)},
        {"Latitude", number(info.Latitude)},
        {"StdTimeText1", info.StdTimeText1},
        {"StdTimeText2", info.StdTimeText2},
        {"DstTimeText1", info.DstTimeText1},
        {"DstTimeText2", info.DstTimeText2},
        {"UtcOffset", number(info.UtcOffset)},
        {"DstOffset", number(info.DstOffset)},
        {"DstStartRule", info.DstStartRule},
        {"DstStartTime", info.DstStartTime},
        {"DstEndRule", info.DstEndRule},
        {"DstEndTime", info.DstEndTime}};
    for (const auto& [name, value] : fields)
        out << name << ": " << value << Qt::endl;
    const DstRules::LocalTime local = DxccTime::localTime(info, utc);
    if (local.status != DstRules::Status::Ok) {
        err << local.message << Qt::endl;
        return 1;
    }
    out << msgText(Msg::CliLocalTime)
               .arg(local.wallClock.toString(QStringLiteral("yyyy-MM-dd HH:mm")), local.zoneText2, local.zoneText1)
        << Qt::endl;
    out << msgText(Msg::CliSummerTime)
               .arg(local.summerTime ? msgText(Msg::CliYes) : msgText(Msg::CliNo),
                    utc.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
        << Qt::endl;
    return 0;
}

int dxccIndex(const CommandLine& line, QTextStream& out, QTextStream& err) {
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    const DxccIndexResult result = DxccAccess(folder).rebuildIndex();
    for (const QString& s : result.skipped)
        err << s << Qt::endl;
    out << msgText(Msg::CliDxccIndexBuilt).arg(result.rows).arg(result.keys) << Qt::endl;
    return 0;
}

int locator(const CommandLine& line, QTextStream& out, QTextStream& err) {
    const LanguageTexts texts; // the built-in German message texts
    Locator::BearingDistance result;
    if (line.operands.size() == 2) {
        result = Locator::LocatDistance(line.operands[0], line.operands[1], texts);
    } else {
        const auto lat = degrees(line.latitude);
        const auto lon = degrees(line.longitude);
        if (!lat || !lon || *lat < -90 || *lat > 90 || *lon < -180 || *lon > 180) {
            err << msgText(Msg::CliLatLonDegrees)
                << Qt::endl;
            return 2;
        }
        result = Locator::LocatPosDistance(line.operands[0], *lat, *lon, texts);
    }
    if (!result.ok()) {
        err << (result.message.isEmpty() ? msgText(Msg::CliImpossibleLocator) : result.message) << Qt::endl;
        return 1;
    }
    out << result.bearing << Qt::endl << result.distance << Qt::endl;
    return 0;
}

int sun(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err) {
    const auto lat = degrees(line.operands[0]);
    const auto lon = degrees(line.operands[1]);
    if (!lat || !lon || *lat < -90 || *lat > 90 || *lon < -180 || *lon > 180) {
        err << msgText(Msg::CliSunDegrees) << Qt::endl;
        return 2;
    }
    QDate date = clock.utcNow().date();
    if (!line.date.isEmpty()) {
        date = QDate::fromString(line.date, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid()) {
            err << msgText(Msg::CliBadDate).arg(line.date) << Qt::endl;
            return 2;
        }
    }
    double zenith = SunTimes::DefaultZenith;
    if (!line.zenith.isEmpty()) {
        const auto z = degrees(line.zenith);
        if (!z || *z <= 0 || *z >= 180) {
            err << msgText(Msg::CliBadZenith).arg(line.zenith)
                << Qt::endl;
            return 2;
        }
        zenith = *z;
    }
    const double rise = SunTimes::Sun(false, *lat, *lon, zenith, date);
    const double set = SunTimes::Sun(true, *lat, *lon, zenith, date);
    if (rise == SunTimes::NeverRises || set == SunTimes::NeverRises) {
        out << msgText(Msg::CliSunNeverRises) << Qt::endl;
        return 0;
    }
    if (rise == SunTimes::NeverSets || set == SunTimes::NeverSets) {
        out << msgText(Msg::CliSunNeverSets) << Qt::endl;
        return 0;
    }
    if (rise < 0 || set < 0) {
        err << SunTimes::internalErrorText() << Qt::endl;
        return 1;
    }
    out << msgText(Msg::CliSunrise).arg(SunTimes::hourMinute(rise)) << Qt::endl;
    out << msgText(Msg::CliSunset).arg(SunTimes::hourMinute(set)) << Qt::endl;
    return 0;
}

int dok(const CommandLine& line, QTextStream& out, QTextStream& err) {
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    DokDirectory directory(QDir(folder).filePath(QStringLiteral("DOK.ini")));
    for (const QString& l : directory.describe(line.operands[0].toUpper()))
        out << l << Qt::endl;
    for (const QString& p : directory.problems())
        err << p << Qt::endl;
    return 0;
}

int dokImport(const CommandLine& line, QTextStream& out, QTextStream& err) {
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    const DokImportResult result =
        DokDirectory::importClubNames(QDir(folder).filePath(QStringLiteral("DOK.ini")), line.operands[0]);
    for (const QString& bad : result.badLines)
        err << bad << Qt::endl;
    out << result.summary() << Qt::endl;
    return 0;
}

} // namespace

namespace ReferenceCommands {

bool handles(const QString& command) { return kCommands.contains(command); }

QString usageError(const CommandLine& line) {
    const QString& c = line.command;
    const qsizetype n = line.operands.size();
    if (c == QStringLiteral("dxcc") && n != 1)
        return msgText(Msg::CliDxccOneCall);
    if (c == QStringLiteral("dxcc") && !line.utc.isEmpty() &&
        !QDateTime::fromString(line.utc, QStringLiteral("yyyy-MM-ddTHH:mm")).isValid())
        return msgText(Msg::CliBadUtc).arg(line.utc);
    if (c == QStringLiteral("dxcc-index") && n != 0)
        return msgText(Msg::CliDxccIndexNoOperands);
    if (c == QStringLiteral("locator")) {
        const bool position = !line.latitude.isEmpty() || !line.longitude.isEmpty();
        if (position && (n != 1 || line.latitude.isEmpty() || line.longitude.isEmpty()))
            return msgText(Msg::CliLocatorLatLon);
        if (!position && n != 2)
            return msgText(Msg::CliLocatorTwo);
    }
    if (c == QStringLiteral("sun") && n != 2)
        return msgText(Msg::CliSunNeeds);
    if ((c == QStringLiteral("dok") || c == QStringLiteral("dok-import")) && n != 1)
        return msgText(Msg::CliNeedsOneOperand).arg(c);
    return {};
}

int run(const CommandLine& line, Clock& clock, QTextStream& out, QTextStream& err) {
    try {
        const QString& c = line.command;
        if (c == QStringLiteral("dxcc"))
            return dxcc(line, clock, out, err);
        if (c == QStringLiteral("dxcc-index"))
            return dxccIndex(line, out, err);
        if (c == QStringLiteral("locator"))
            return locator(line, out, err);
        if (c == QStringLiteral("sun"))
            return sun(line, clock, out, err);
        if (c == QStringLiteral("dok"))
            return dok(line, out, err);
        if (c == QStringLiteral("dok-import"))
            return dokImport(line, out, err);
    } catch (const IoError& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
    return 2;
}

QString programFolder(const CommandLine& line, QTextStream& err) {
    QString error;
    QStringList warnings;
    const QString folder = ProgramFolder::prepare(line.folder, &error, &warnings);
    for (const QString& w : warnings)
        err << w << Qt::endl;
    if (folder.isEmpty())
        err << error << Qt::endl;
    return folder;
}

} // namespace ReferenceCommands
