#include "qsl/OutstandingCards.h"

#include "logstore/DateText.h"
#include "logstore/LogFile.h"

#include <QSet>

namespace {

// Dates are compared as dates ("1.2.03" is "01.02.2003"); a text that is no
// date is compared as it stands.
QString dateKey(QStringView text, int referenceYear, bool wholeDate) {
    const auto date = DateText::parseDate(text.toString(), referenceYear);
    if (!date)
        return u'?' + text.toString();
    return QString::number(wholeDate ? date->toJulianDay() : date->year());
}

QString kindOf(const PackedRecord& r, const CardRule& rule, int referenceYear) {
    QString key = r.rawField(QsoRecord::Call).toString();
    const QChar sep(0x1F); // cannot stand in a field
    if (rule.band) {
        key += sep;
        key += r.rawField(QsoRecord::Band);
    }
    if (rule.mode) {
        key += sep;
        key += r.rawField(QsoRecord::Mode);
    }
    if (rule.day)
        key += sep + dateKey(r.rawField(QsoRecord::Date), referenceYear, true);
    if (rule.year)
        key += sep + dateKey(r.rawField(QsoRecord::Date), referenceYear, false);
    return key;
}

} // namespace

namespace OutstandingCards {

bool declined(QStringView comments) { return comments.contains(u"no qsl", Qt::CaseInsensitive); }

QVector<Row> list(LogFile& log, const CardRule& rule, int referenceYear) {
    QVector<Row> rows;
    QSet<QString> earlier;
    int position = 0;
    log.scanPacked([&](const QString&, const PackedRecord& record) {
        ++position;
        const bool wanted = record.rawField(QsoRecord::QslOut).isEmpty() && !declined(record.rawField(QsoRecord::Comments));
        if (!rule.firstQso) {
            if (wanted)
                rows.append({position, record});
            return false;
        }
        const QString kind = kindOf(record, rule, referenceYear);
        const bool repeat = earlier.contains(kind);
        if (!repeat)
            earlier.insert(kind);
        if (wanted && !repeat)
            rows.append({position, record});
        return false;
    });
    return rows;
}

} // namespace OutstandingCards
