#include "windows/DxccInfoText.h"

#include "refdata/SunTimes.h"
#include "settings/LanguageTexts.h"
#include "windows/DateTimePattern.h"

#include <QDir>
#include <QFontMetrics>

#include <algorithm>

namespace DxccInfoText {

QStringList lines(const Facts& f, const LanguageTexts& t, const QLocale& locale) {
    const DxccInfo& i = f.info;
    const auto degrees = [&locale](double value) { return locale.toString(value, 'g', QLocale::FloatingPointShortest); };
    QStringList out = {
        t[73] + i.Call,
        t[74] + i.Prefix + QStringLiteral(" (") + t[75] + i.MainPrefix + u')',
        u'#' + QString::number(i.Number) + u' ' + t[76] + i.Country,
        t[77] + QString::number(i.Ranking),
        t[78] + i.Continent,
        t[79] + i.Zones,
        QString(),
        t[80] + degrees(i.Longitude) + QStringLiteral(" / ") + t[81] + degrees(i.Latitude),
        t[82] + f.course.bearing,
        t[83] + f.course.distance,
        QString(),
    };
    if (f.sunrise == SunTimes::NeverRises)
        out << t[84];
    else if (f.sunrise == SunTimes::NeverSets)
        out << t[85];
    else
        out << t[86] + u'\t' + SunTimes::hourMinute(f.sunrise) + QStringLiteral(" UTC")
            << t[87] + u'\t' + SunTimes::hourMinute(f.sunset) + QStringLiteral(" UTC");
    out << QString();
    out << t[88] + u'\t' + DateTimePattern::format(QStringLiteral("dddd hh:nn"), f.local.wallClock, locale) + u' ' +
               f.local.zoneText2
        << u'\t' + f.local.zoneText1;
    return out;
}

QSize boxSize(const QStringList& lines, const QFontMetrics& metrics) {
    const QString tab = QStringLiteral("--------------");
    int widest = 0;
    for (QString line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line.replace(u'\t', tab)));
    const QString first = lines.value(0);
    const int lineHeight = first.isEmpty() ? metrics.height() : metrics.boundingRect(first).height();
    return {widest + 10, lineHeight * static_cast<int>(lines.size()) + 10};
}

QString mapFile(const QString& programFolder, const QString& mainPrefix) {
    QString name = mainPrefix.toLower();
    name.replace(u'/', u'-');
    return QDir(programFolder).filePath(QStringLiteral("Maps/") + name + QStringLiteral(".gif"));
}

} // namespace DxccInfoText
