#pragma once

#include "logstore/PackedRecord.h"
#include "qsl/QslSettings.h"

#include <QVector>

class LogFile;

// The contacts that still need a card of the operator: no "QSL out" date,
// no "no qsl" in Comments, and under the rule "first contact" no earlier
// contact of the same kind (same call, and band, mode, day, year as the rule
// ticks them; the earlier contact's own card does not matter).
namespace OutstandingCards {

struct Row {
    int position = 0;     // the record's place in the log, from 1
    PackedRecord record;  // as the log held it when the list was made
};

// Reads the log once; each contact is looked up among the earlier ones by a
// hash of the compared fields, so a log of 100 000 contacts takes as long as
// reading it. Throws IoError as reading the log does.
QVector<Row> list(LogFile& log, const CardRule& rule, int referenceYear);

// Comments holding "no qsl" in any letter case keep a contact off the list.
bool declined(QStringView comments);

} // namespace OutstandingCards
