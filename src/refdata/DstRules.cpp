#include "refdata/DstRules.h"

#include "logstore/DateText.h"
#include "platform/ProgramTexts.h"

#include <array>
#include <cmath>
#include <optional>

namespace DstRules {

namespace {

enum class Ordinal { None, First, Second, Third, Last };

Ordinal ordinalOf(QStringView body) {
    const QStringView word = body.first(std::min<qsizetype>(4, body.size()));
    if (word == u"Erst") return Ordinal::First;
    if (word == u"Zwei") return Ordinal::Second;
    if (word == u"Drit") return Ordinal::Third;
    if (word == u"Letz") return Ordinal::Last;
    return Ordinal::None;
}

// Qt's day numbers, Monday 1 to Sunday 7, from the first two letters of the
// word after the ordinal.
std::optional<int> weekdayOf(QStringView body, QString& word) {
    const auto words = body.split(u' ', Qt::SkipEmptyParts);
    if (words.size() < 2) return std::nullopt;
    word = words[1].toString();
    static constexpr std::array<const char16_t*, 7> Days = {u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa", u"So"};
    const QStringView abbreviation = words[1].first(std::min<qsizetype>(2, words[1].size()));
    for (std::size_t i = 0; i < Days.size(); ++i)
        if (abbreviation == QStringView(Days[i])) return int(i) + 1;
    return std::nullopt;
}

// The day a date text names once its month name became a number; the blanks
// go first so that "25. Maerz" and "25.Maerz" read alike.
QString numericDateText(QString text) {
    static const std::array<QString, 12> Months = {
        QStringLiteral("Januar"),  QStringLiteral("Februar"),  QStringLiteral("Maerz"),
        QStringLiteral("April"),   QStringLiteral("Mai"),      QStringLiteral("Juni"),
        QStringLiteral("Juli"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};
    text.remove(u' ');
    for (std::size_t i = 0; i < Months.size(); ++i) {
        const qsizetype at = text.indexOf(Months[i]);
        if (at >= 0) text.replace(at, Months[i].size(), QString::number(i + 1));
    }
    return text;
}

RuleDate failure(Status status, bool isStart, const QString& message) {
    return RuleDate{status, isStart, QDateTime(), message};
}

QString notADate(const QString& text) {
    return msgText(Msg::DstBadDate).arg(text);
}

QDate nthWeekday(QDate from, int weekday, int n) {
    int count = 0;
    for (;;) {
        if (from.dayOfWeek() == weekday && ++count == n) return from;
        from = from.addDays(1);
    }
}

QDate lastWeekday(QDate inMonth, int weekday) {
    QDate d(inMonth.year(), inMonth.month(), inMonth.daysInMonth());
    while (d.dayOfWeek() != weekday)
        d = d.addDays(-1);
    return d;
}

const QDateTime& earliestInstant() {
    // Date-time value 0 of the program's past: what a rule that names no day
    // leaves in place.
    static const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return zero;
}

} // namespace

RuleDate ruleDate(const QString& rule, const QString& timeOfDay, int year) {
    const bool isStart = rule.startsWith(QLatin1String("Beginn: "));
    if (rule.isEmpty() || rule.endsWith(QLatin1String("Regelung")))
        return failure(Status::NoDate, isStart, QString());

    const qsizetype colon = rule.indexOf(QLatin1String(": "));
    const QStringView body = colon < 0 ? QStringView(rule) : QStringView(rule).sliced(colon + 2);

    QString reference;
    bool referenceDayCounts = true;
    if (const qsizetype at = body.indexOf(QLatin1String(" des Jahres")); at >= 0) {
        reference = body.first(at).toString();
    } else if (const qsizetype after = body.indexOf(QLatin1String("nach dem ")); after >= 0) {
        reference = body.sliced(after + 9).toString();
        referenceDayCounts = false;
    } else if (const qsizetype in = body.indexOf(QLatin1String("im ")); in >= 0) {
        reference = QStringLiteral("1.") + body.sliced(in + 3).toString();
    } else {
        return failure(Status::NotADate, isStart, notADate(QString()));
    }

    const QString dateText =
        numericDateText(reference + u'.' + QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')));
    const auto referenceDate = DateText::parseDate(dateText, year);
    if (!referenceDate) return failure(Status::NotADate, isStart, notADate(dateText));

    QDate day = *referenceDate;
    const Ordinal ordinal = ordinalOf(body);
    if (ordinal != Ordinal::None) {
        // Without a known weekday the search for it could never succeed; the
        // rule is refused rather than given some other day.
        QString word;
        const auto weekday = weekdayOf(body, word);
        if (!weekday)
            return failure(
                Status::UnknownWeekday, isStart,
                msgText(Msg::DstBadWeekday)
                    .arg(word, rule));
        if (ordinal == Ordinal::Last) {
            day = lastWeekday(day, *weekday);
        } else {
            const int n = ordinal == Ordinal::First ? 1 : ordinal == Ordinal::Second ? 2 : 3;
            day = nthWeekday(referenceDayCounts ? day : day.addDays(1), *weekday, n);
        }
    }

    const auto time = DateText::parseTime(timeOfDay);
    if (!time)
        return failure(Status::NotATime, isStart,
                       msgText(Msg::DstBadTime).arg(timeOfDay));
    return RuleDate{Status::Ok, isStart, QDateTime(day, *time, Qt::UTC), QString()};
}

InForce summerTimeInForce(const QString& startRule, const QString& startTime, const QString& endRule,
                          const QString& endTime, const QDateTime& utc, int year) {
    QDateTime start = earliestInstant();
    QDateTime end = earliestInstant();
    const RuleDate fromStartRule = ruleDate(startRule, startTime, year);
    if (fromStartRule.status != Status::Ok && fromStartRule.status != Status::NoDate)
        return InForce{fromStartRule.status, false, fromStartRule.message};
    const RuleDate fromEndRule = ruleDate(endRule, endTime, year);
    if (fromEndRule.status != Status::Ok && fromEndRule.status != Status::NoDate)
        return InForce{fromEndRule.status, false, fromEndRule.message};
    // The label, not the field, says which end of summer time a rule names.
    for (const RuleDate* r : {&fromStartRule, &fromEndRule})
        if (r->status == Status::Ok) (r->isStart ? start : end) = r->instant;
    const bool endRuleGaveDate = fromEndRule.status == Status::Ok;
    if (!endRuleGaveDate) return InForce{};
    if (start < end) return InForce{Status::Ok, start < utc && utc < end, QString()};
    return InForce{Status::Ok, utc <= end || utc >= start, QString()};
}

LocalTime localTime(const Zone& zone, const QDateTime& utc, int year) {
    const InForce f =
        summerTimeInForce(zone.dstStartRule, zone.dstStartTime, zone.dstEndRule, zone.dstEndTime, utc, year);
    if (f.status != Status::Ok)
        return LocalTime{f.status, f.message, false, QDateTime(), QString(), QString()};
    const auto finite = [](double hours) { return std::isfinite(hours) ? hours : 0.0; };
    const double hours = finite(zone.utcOffset) + (f.inForce ? finite(zone.dstOffset) : 0.0);
    const QDateTime u = utc.toUTC();
    const QDateTime wall =
        QDateTime(u.date(), u.time(), Qt::UTC).addMSecs(std::llround(hours * 3600.0 * 1000.0));
    return LocalTime{Status::Ok,
                     QString(),
                     f.inForce,
                     wall,
                     f.inForce ? zone.dstTimeText1 : zone.stdTimeText1,
                     f.inForce ? zone.dstTimeText2 : zone.stdTimeText2};
}

} // namespace DstRules
