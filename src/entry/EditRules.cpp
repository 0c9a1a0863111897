#include "entry/EditRules.h"

#include "logstore/DateText.h"
#include "platform/ProgramTexts.h"

namespace EditRules {

bool captionWarns(int field, const QString& text) {
    switch (field) {
    case QsoRecord::Band:
    case QsoRecord::Mode:
    case QsoRecord::Call:
    case QsoRecord::RstTx:
    case QsoRecord::RstRx:
        return text.size() < 2;
    case QsoRecord::Locator:
        return !text.isEmpty() && text.size() != 6;
    case QsoRecord::TxPwr:
        return !text.contains(u'W') || text.size() < 2;
    default:
        return false;
    }
}

QString withWattUnit(const QString& power) {
    if (power.isEmpty() || power.endsWith(u'W'))
        return power;
    return power + u'W';
}

bool powerCharAllowed(QChar c) { return (c >= u'0' && c <= u'9') || c == u','; }

QString upperLetters(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        c = c.toUpper(); // 'ß' has no single upper-case letter and stays
    return out;
}

QDate earliestDate() { return QDate(100, 1, 1); }

std::optional<QDate> readDate(const QString& text, int referenceYear) {
    const auto date = DateText::parseDate(text, referenceYear);
    if (!date || *date < earliestDate())
        return std::nullopt;
    return date;
}

int firstUnreadableField(const QsoRecord& record, int referenceYear) {
    if (!readDate(record[QsoRecord::Date], referenceYear))
        return QsoRecord::Date;
    if (!DateText::parseTime(record[QsoRecord::Utc]))
        return QsoRecord::Utc;
    for (int field : {QsoRecord::QslOut, QsoRecord::QslIn}) {
        const QString& text = record[field];
        if (!text.trimmed().isEmpty() && !readDate(text, referenceYear))
            return field;
    }
    return 0;
}

QString unreadableFieldMessage(const QString& logName, int recordNumber, int field, const QString& text) {
    const QString what = field == QsoRecord::Utc ? msgText(Msg::NotATimeHms)
                                                 : msgText(Msg::NotADateDmy);
    return msgText(Msg::UnreadableField)
        .arg(logName)
        .arg(recordNumber)
        .arg(QsoRecord::gridTitles().at(field - 1), text, what);
}

bool sameContact(const QsoRecord& a, const QsoRecord& b) { return a.encodeLine() == b.encodeLine(); }

QString changedOutsideMessage(const QString& logName, int recordNumber, OutsideChange when) {
    if (when == OutsideChange::BeforeOpening) {
        return msgText(Msg::ChangedBeforeOpening)
            .arg(logName)
            .arg(recordNumber);
    }
    return msgText(Msg::ChangedWhileEditing)
        .arg(logName)
        .arg(recordNumber);
}

QString deleteQuestion(const QsoRecord& r) {
    // The seconds say nothing to tell contacts apart; a time that cannot be
    // read is shown as the log holds it.
    const auto time = DateText::parseTime(r[QsoRecord::Utc]);
    const QString utc = time ? time->toString(QStringLiteral("HH:mm")) : r[QsoRecord::Utc];
    return msgText(Msg::DeleteContactQuestion)
        .arg(r[QsoRecord::Number], r[QsoRecord::Date], utc, r[QsoRecord::Call], r[QsoRecord::Band],
             r[QsoRecord::Mode]);
}

} // namespace EditRules
