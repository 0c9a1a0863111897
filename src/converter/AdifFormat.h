#pragma once

#include "logstore/QsoRecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

// The eighteen ADIF fields the converter knows and how they map onto a
// QsoRecord, both ways. Every other ADIF field is ignored on import and never
// written on export.
namespace Adif {

enum Field {
    QsoDate,
    TimeOn,
    Band,
    Mode,
    Call,
    RstSent,
    RstRcvd,
    Dok,
    Name,
    Qth,
    Gridsquare,
    TxPwr,
    Comment,
    QslSDate,
    QslRDate,
    QslSent,
    QslRcvd,
    Submode, // read only: when present it is the mode the log stores (FT4 rather than MFSK)
    FieldCount
};

const QStringList& fieldNames(); // in the order of Field, in capitals

// "01.01.1901" in QSL out or QSL in: card sent (or received), date not recorded.
QString undatedQsl();

// Export: the header (a line of text, the program, its version, the ADIF
// version and the UTC time of the export, ending in <EOH> and an empty line)
// and one record as four CR LF separated lines ending in "<EOR>" and a line
// end, in the 8-bit character set of the log.
QByteArray header(const QString& text, const QDateTime& utcNow);
// The record is written as Normalize would store it, so that a log never
// normalised ("1234", "010203", "100") exports its own values; what Normalize
// cannot read is the clock's date or time, the text itself in COMMENT.
void appendRecord(QByteArray& out, const QsoRecord& record, const QDateTime& localNow);

// Import: stores one field's value; later fields overwrite earlier ones, so
// the fields must be applied in file order.
void applyField(QsoRecord& record, int field, const QString& value);
// Once all fields are applied: a record without TX_PWR gets "1W".
void finishRecord(QsoRecord& record);
// Date, UTC, Band, Mode and Call all present: the record can be imported.
bool isComplete(const QsoRecord& record);

} // namespace Adif
