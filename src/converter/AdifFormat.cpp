#include "converter/AdifFormat.h"

#include "logstore/BandList.h"
#include "logstore/Codepage.h"
#include "logstore/LogFile.h"
#include "logstore/PowerText.h"

namespace {

QByteArray& scratch() {
    static thread_local QByteArray bytes;
    return bytes;
}

// The length counts the characters as written: in the 8-bit character set of
// the file one byte each, also for umlauts.
void appendField(QByteArray& out, const char* name, QStringView value) {
    QByteArray& bytes = scratch();
    bytes.clear();
    Codepage::encodeAppend(value, bytes);
    out += '<';
    out += name;
    out += ':';
    out += QByteArray::number(bytes.size());
    out += '>';
    out += bytes;
}

// From a normalised record: "dd.mm.yyyy" -> "yyyymmdd", "hh:nn:ss" -> "hhnnss".
void appendDateField(QByteArray& out, const char* name, const QString& date) {
    appendField(out, name, QString(date.mid(6, 4) + date.mid(3, 2) + date.left(2)));
}

void appendTimeField(QByteArray& out, const char* name, const QString& time) {
    appendField(out, name, QString(time.left(2) + time.mid(3, 2) + time.mid(6, 2)));
}

void appendIfSet(QByteArray& out, const char* name, const QString& value) {
    if (!value.isEmpty())
        appendField(out, name, value);
}

// "yyyymmdd" -> "dd.mm.yyyy" by character positions, as other programs'
// dates come; what is not a date is left for Normalize to reject.
QString fromAdifDate(const QString& value) {
    return value.mid(6, 2) + u'.' + value.mid(4, 2) + u'.' + value.left(4);
}

QString fromAdifTime(const QString& value) {
    const QString seconds = value.size() == 6 ? value.mid(4, 2) : QStringLiteral("00");
    return value.left(2) + u':' + value.mid(2, 2) + u':' + seconds;
}

} // namespace

namespace Adif {

const QStringList& fieldNames() {
    static const QStringList names = {
        QStringLiteral("QSO_DATE"), QStringLiteral("TIME_ON"),    QStringLiteral("BAND"),
        QStringLiteral("MODE"),     QStringLiteral("CALL"),       QStringLiteral("RST_SENT"),
        QStringLiteral("RST_RCVD"), QStringLiteral("DOK"),        QStringLiteral("NAME"),
        QStringLiteral("QTH"),      QStringLiteral("GRIDSQUARE"), QStringLiteral("TX_PWR"),
        QStringLiteral("COMMENT"),  QStringLiteral("QSLSDATE"),   QStringLiteral("QSLRDATE"),
        QStringLiteral("QSL_SENT"), QStringLiteral("QSL_RCVD"),   QStringLiteral("SUBMODE")};
    return names;
}

QString undatedQsl() {
    return QStringLiteral("01.01.1901");
}

QByteArray header(const QString& text, const QDateTime& utcNow) {
    QByteArray out = Codepage::encode(text) + "\r\n";
    appendField(out, "ADIF_VER", u"3.1.4");
    appendField(out, "PROGRAMID", u"Vesk");
    appendField(out, "PROGRAMVERSION", QStringLiteral(VESK_VERSION_TEXT));
    appendField(out, "CREATED_TIMESTAMP", utcNow.toString(QStringLiteral("yyyyMMdd HHmmss")));
    out += "\r\n<EOH>\r\n\r\n";
    return out;
}

void appendRecord(QByteArray& out, const QsoRecord& stored, const QDateTime& localNow) {
    QsoRecord r = stored;
    LogFile::NormalizeRecord(r, 1, localNow); // "#" is not exported
    appendDateField(out, "QSO_DATE", r[QsoRecord::Date]);
    appendTimeField(out, "TIME_ON", r[QsoRecord::Utc]);
    appendField(out, "BAND", r[QsoRecord::Band]);
    appendField(out, "MODE", r[QsoRecord::Mode]);
    appendField(out, "CALL", r[QsoRecord::Call]);
    out += "\r\n";

    appendField(out, "RST_SENT", r[QsoRecord::RstTx]);
    appendField(out, "RST_RCVD", r[QsoRecord::RstRx]);
    appendIfSet(out, "DOK", r[QsoRecord::Dok]);
    appendIfSet(out, "NAME", r[QsoRecord::Name]);
    appendIfSet(out, "QTH", r[QsoRecord::Qth]);
    out += "\r\n";

    appendIfSet(out, "GRIDSQUARE", r[QsoRecord::Locator]);
    // ADIF gives the power in watts as a number with a decimal point.
    if (const auto watts = PowerText::watts(r[QsoRecord::TxPwr]))
        appendField(out, "TX_PWR", PowerText::adifText(*watts));
    appendIfSet(out, "COMMENT", QsoRecord::lineBreaksAsBlanks(r[QsoRecord::Comments]));
    out += "\r\n";

    const QString& sent = r[QsoRecord::QslOut];
    const QString& received = r[QsoRecord::QslIn];
    if (!sent.isEmpty())
        appendDateField(out, "QSLSDATE", sent);
    out += sent.isEmpty() ? "<QSL_SENT:1>N" : "<QSL_SENT:1>Y";
    if (!received.isEmpty())
        appendDateField(out, "QSLRDATE", received);
    out += received.isEmpty() ? "<QSL_RCVD:1>N" : "<QSL_RCVD:1>Y";
    out += "<EOR>\r\n";
}

void applyField(QsoRecord& r, int field, const QString& value) {
    // Only Comments can hold a line break in the log; elsewhere it would be
    // stored as the text "#13#10".
    auto oneLine = [&] { return QsoRecord::lineBreaksAsBlanks(value); };
    switch (field) {
    case QsoDate:
        // An empty value is no date: the record then lacks one and is dropped.
        r[QsoRecord::Date] = value.isEmpty() ? QString() : fromAdifDate(value);
        break;
    case TimeOn:
        r[QsoRecord::Utc] = value.isEmpty() ? QString() : fromAdifTime(value);
        break;
    case Band:
        r[QsoRecord::Band] = AsciiCase::toLower(oneLine());
        break;
    case Mode:
        // A SUBMODE before it has named the mode already.
        if (r[QsoRecord::Mode].isEmpty())
            r[QsoRecord::Mode] = AsciiCase::toUpper(oneLine());
        break;
    case Submode: {
        // The sideband is no mode of its own in the log: SSB stays SSB.
        const QString submode = AsciiCase::toUpper(oneLine());
        if (!submode.isEmpty() && submode != u"LSB" && submode != u"USB")
            r[QsoRecord::Mode] = submode;
        break;
    }
    case Call:
        r[QsoRecord::Call] = AsciiCase::toUpper(oneLine());
        break;
    case RstSent:
        r[QsoRecord::RstTx] = oneLine();
        break;
    case RstRcvd:
        r[QsoRecord::RstRx] = oneLine();
        break;
    case Dok:
        r[QsoRecord::Dok] = AsciiCase::toUpper(oneLine());
        break;
    case Name:
        r[QsoRecord::Name] = oneLine();
        break;
    case Qth:
        r[QsoRecord::Qth] = oneLine();
        break;
    case Gridsquare:
        r[QsoRecord::Locator] = AsciiCase::toUpper(oneLine());
        break;
    case TxPwr:
        // Watts without a unit, as ADIF has it; some programs add the unit
        // ("50W") or write free text. Normalize reads every form and moves
        // what is no power into Comments.
        r[QsoRecord::TxPwr] = oneLine();
        break;
    case Comment:
        r[QsoRecord::Comments] = value;
        break;
    case QslSDate:
        if (!value.isEmpty())
            r[QsoRecord::QslOut] = fromAdifDate(value);
        break;
    case QslRDate:
        if (!value.isEmpty())
            r[QsoRecord::QslIn] = fromAdifDate(value);
        break;
    case QslSent:
        if (value == u"Y" && r[QsoRecord::QslOut].isEmpty())
            r[QsoRecord::QslOut] = undatedQsl();
        break;
    case QslRcvd:
        if (value == u"Y" && r[QsoRecord::QslIn].isEmpty())
            r[QsoRecord::QslIn] = undatedQsl();
        break;
    default:
        break;
    }
}

void finishRecord(QsoRecord& r) {
    if (r[QsoRecord::TxPwr].isEmpty())
        r[QsoRecord::TxPwr] = QStringLiteral("1W");
}

bool isComplete(const QsoRecord& r) {
    for (int f : {QsoRecord::Date, QsoRecord::Utc, QsoRecord::Band, QsoRecord::Mode, QsoRecord::Call}) {
        if (r[f].isEmpty())
            return false;
    }
    return true;
}

} // namespace Adif
