#pragma once

#include <QDateTime>
#include <QString>

// Summer-time rules as the DXCC table writes them, in German words:
// "Beginn: Letzter Sonntag im Maerz", "Ende: Erster Sonntag nach dem 1. Maerz",
// "Beginn: 25. Maerz des Jahres", "Ende: keine Regelung".
namespace DstRules {

enum class Status {
    Ok,
    NoDate,         // "... Regelung" or an empty text: the rule names no day
    NotADate,       // the day it names cannot be read (month with an umlaut, unknown form)
    NotATime,       // the time of day cannot be read
    UnknownWeekday, // an ordinal is given, but the weekday is none of Mo, Di ... So
};

// The instant one rule text names in year, taken as UTC.
struct RuleDate {
    Status status = Status::NoDate;
    bool isStart = false; // the text begins with "Beginn: "
    QDateTime instant;    // valid when status is Ok
    QString message;      // what went wrong, for the user; empty for Ok and NoDate
};
RuleDate ruleDate(const QString& rule, const QString& timeOfDay, int year);

// Whether summer time is in force at the instant utc, from the two rule texts
// and their times of day; year is the year the rules are read for, that of the
// computer's local clock. Rules whose start falls after their end (southern
// hemisphere) are in force across the turn of the year.
struct InForce {
    Status status = Status::Ok; // Ok, or why the answer could not be given
    bool inForce = false;
    QString message;
};
InForce summerTimeInForce(const QString& startRule, const QString& startTime, const QString& endRule,
                          const QString& endTime, const QDateTime& utc, int year);

// An entity's time-keeping, as its row in the DXCC table holds it.
struct Zone {
    double utcOffset = 0.0; // hours of standard time ahead of UTC
    double dstOffset = 0.0; // hours added during summer time
    QString dstStartRule;
    QString dstStartTime;
    QString dstEndRule;
    QString dstEndTime;
    QString stdTimeText1;
    QString stdTimeText2;
    QString dstTimeText1;
    QString dstTimeText2;
};

struct LocalTime {
    Status status = Status::Ok;
    QString message; // set when status is not Ok; the other fields are then empty
    bool summerTime = false;
    QDateTime wallClock; // the clock on the wall there; kept as a UTC value only so
                         // that no time zone of this computer shifts it
    QString zoneText1;
    QString zoneText2;
};
LocalTime localTime(const Zone& zone, const QDateTime& utc, int year);

} // namespace DstRules
