#pragma once

#include "refdata/DstRules.h"
#include "refdata/Dxcc.h"
#include "refdata/Locator.h"

#include <QLocale>
#include <QSize>
#include <QStringList>

class LanguageTexts;
class QFontMetrics;

// What the DXCC information window says about one call: the entity's data,
// direction and distance from the own station, today's sun there and the
// local time with its zone name.
namespace DxccInfoText {

struct Facts {
    DxccInfo info;
    Locator::BearingDistance course;
    double sunrise = 0.0; // fraction of a day, or SunTimes::NeverRises / NeverSets
    double sunset = 0.0;
    DstRules::LocalTime local;
};

QStringList lines(const Facts& facts, const LanguageTexts& texts, const QLocale& locale);

// The box that holds the lines: as high as the first line times their
// number and as wide as the widest, a tab counted as fourteen hyphens, plus
// a margin of ten pixels each way.
QSize boxSize(const QStringList& lines, const QFontMetrics& metrics);

// Maps/<main prefix>.gif in the program folder, lower case, "/" as "-".
QString mapFile(const QString& programFolder, const QString& mainPrefix);

} // namespace DxccInfoText
