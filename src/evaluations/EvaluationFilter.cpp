#include "evaluations/EvaluationFilter.h"

#include "logstore/DateText.h"
#include "logstore/PackedRecord.h"
#include "platform/ProgramTexts.h"

namespace {

std::optional<qint64> wholeNumber(QStringView text) {
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

std::optional<QDateTime> dateTime(const QString& text, bool stop, int referenceYear) {
    const QString t = text.trimmed();
    const qsizetype blank = t.indexOf(u' ');
    const auto date = DateText::parseDate(blank < 0 ? t : t.first(blank), referenceYear);
    if (!date)
        return std::nullopt;
    if (blank < 0)
        return QDateTime(*date, stop ? QTime(23, 59, 59, 999) : QTime(0, 0), Qt::UTC);
    const auto time = DateText::parseTime(t.sliced(blank + 1));
    if (!time)
        return std::nullopt;
    return QDateTime(*date, *time, Qt::UTC);
}

} // namespace

bool InDelimitedText(const QString& list, const QString& value, QChar delimiter) {
    const QString wanted = value.trimmed();
    for (const QString& part : QString(list).replace(delimiter, u' ').split(u' ', Qt::SkipEmptyParts)) {
        if (part == u"*" || part.compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

EvaluationFilter::List EvaluationFilter::split(const QString& text, QChar delimiter) {
    List list;
    for (const QString& part : QString(text).replace(delimiter, u' ').split(u' ', Qt::SkipEmptyParts)) {
        if (part == u"*")
            list.all = true;
        list.folded.insert(part.toCaseFolded());
    }
    return list;
}

bool EvaluationFilter::List::accepts(QStringView value) const {
    return all || folded.contains(value.trimmed().toString().toCaseFolded());
}

std::optional<EvaluationFilter> EvaluationFilter::make(const EvaluationInputs& inputs, Dates dates,
                                                       int referenceYear, QString* error) {
    const auto first = wholeNumber(inputs.firstNumber);
    const auto last = wholeNumber(inputs.lastNumber);
    const auto start = dateTime(inputs.start, false, referenceYear);
    const auto stop = dateTime(inputs.stop, true, referenceYear);
    QString message;
    if (!first)
        message = msgText(Msg::EvalNumberUnreadable).arg(msgText(Msg::EvalFirstNumber), inputs.firstNumber);
    else if (!last)
        message = msgText(Msg::EvalNumberUnreadable).arg(msgText(Msg::EvalLastNumber), inputs.lastNumber);
    else if (!start)
        message = msgText(Msg::EvalDateUnreadable).arg(msgText(Msg::EvalStartDate), inputs.start);
    else if (!stop)
        message = msgText(Msg::EvalDateUnreadable).arg(msgText(Msg::EvalStopDate), inputs.stop);
    if (error)
        *error = message;
    if (!message.isEmpty())
        return std::nullopt;
    return EvaluationFilter(inputs.bands, inputs.modes, *start, *stop, *first, *last, dates, referenceYear);
}

EvaluationFilter::EvaluationFilter(const QString& bands, const QString& modes, const QDateTime& start,
                                   const QDateTime& stop, qint64 firstNumber, qint64 lastNumber, Dates dates,
                                   int referenceYear)
    // Contacts are logged in UTC; a local-time reading would move the range
    // by the zone offset and drop times that fall into a clock change.
    : m_bands(split(bands, u',')), m_modes(split(modes, u',')), m_start(start.date(), start.time(), Qt::UTC),
      m_stop(stop.date(), stop.time(), Qt::UTC),
      m_first(firstNumber), m_last(lastNumber), m_dates(dates), m_referenceYear(referenceYear) {}

EvaluationFilter::Verdict EvaluationFilter::test(const PackedRecord& record, int position, QString* error) const {
    const QStringView numberText = record.rawField(QsoRecord::Number);
    const auto number = wholeNumber(numberText);
    if (!number) {
        if (error)
            *error = msgText(Msg::EvalContactNumberUnreadable).arg(position).arg(numberText);
        return Verdict::Unreadable;
    }
    if (*number < m_first || *number > m_last)
        return Verdict::Skip;

    const auto date = DateText::parseDate(record.rawField(QsoRecord::Date).toString(), m_referenceYear);
    std::optional<QTime> time = QTime(0, 0);
    if (m_dates == Dates::WithTime)
        time = DateText::parseTime(record.rawField(QsoRecord::Utc).toString());
    if (!date || !time) {
        if (error) {
            const QString shown = m_dates == Dates::WithTime
                                      ? record.rawField(QsoRecord::Date).toString() + u' ' +
                                            record.rawField(QsoRecord::Utc).toString()
                                      : record.rawField(QsoRecord::Date).toString();
            *error = msgText(Msg::EvalContactDateUnreadable).arg(numberText, shown);
        }
        return Verdict::Unreadable;
    }
    const QDateTime at(*date, *time, Qt::UTC);
    if (at < m_start || at > m_stop)
        return Verdict::Skip;
    if (!m_bands.accepts(record.rawField(QsoRecord::Band)) || !m_modes.accepts(record.rawField(QsoRecord::Mode)))
        return Verdict::Skip;
    return Verdict::Pass;
}

QString collectedMessage(const QStringList& lines, int limit) {
    if (lines.size() <= limit)
        return lines.join(u'\n');
    return lines.first(limit).join(u'\n') + u'\n' + msgText(Msg::EvalMoreMessages).arg(lines.size() - limit);
}
