#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

class PackedRecord;

// True when list holds "*" or the trimmed value, letter case ignored; list
// is split at delimiter and at blanks.
bool InDelimitedText(const QString& list, const QString& value, QChar delimiter);

// What the filter rows of the evaluation pages hold, as text. Dates are
// "dd.mm.yyyy" or "dd.mm.yyyy hh:nn:ss"; a start date without a time means
// the start of that day, a stop date without one its end.
struct EvaluationInputs {
    QString bands = QStringLiteral("*");
    QString modes = QStringLiteral("*");
    QString start = QStringLiteral("31.12.1799");
    QString stop = QStringLiteral("01.01.2200");
    QString firstNumber = QStringLiteral("1");
    // Not 10000: every contact above that number used to be left out silently.
    QString lastNumber = QStringLiteral("999999");
};

// The contacts an evaluation takes part in: number range, date range, band
// list and mode list.
class EvaluationFilter {
public:
    // The locator evaluation places a contact by date and UTC; DOK and DXCC
    // compare its date alone with the range.
    enum class Dates { WithTime, DateOnly };

    // Nothing, and error naming the field, when a number or date cannot be read.
    static std::optional<EvaluationFilter> make(const EvaluationInputs& inputs, Dates dates, int referenceYear,
                                                QString* error);
    // The same range from date-time values a picker holds.
    EvaluationFilter(const QString& bands, const QString& modes, const QDateTime& start, const QDateTime& stop,
                     qint64 firstNumber, qint64 lastNumber, Dates dates, int referenceYear);

    enum class Verdict { Pass, Skip, Unreadable };
    // Unreadable: the contact's number, date or time cannot be read where the
    // range needs it; error then says which contact (position counts from 1).
    Verdict test(const PackedRecord& record, int position, QString* error) const;

private:
    struct List {
        bool all = false;
        QSet<QString> folded;
        bool accepts(QStringView value) const;
    };
    static List split(const QString& text, QChar delimiter);

    List m_bands;
    List m_modes;
    QDateTime m_start;
    QDateTime m_stop;
    qint64 m_first = 1;
    qint64 m_last = 999999;
    Dates m_dates = Dates::WithTime;
    int m_referenceYear = 2000;
};

// Messages a run collects instead of stopping at each record: the first
// limit lines, then how many more there are; empty when there are none.
QString collectedMessage(const QStringList& lines, int limit = 50);
