#pragma once

#include "logstore/QsoRecord.h"

#include <QDate>

// What marking a contact in the outstanding-card list changes.
namespace QslMarks {

// The card is sent today; marked a second time, the mark is undone.
void toggleSent(QsoRecord& record, const QDate& today);

// The operator does not want to send a card: "no QSL" is added to Comments,
// or taken out again when it is there (" / no QSL" first, so that the
// Comments are as they were before).
void toggleDeclined(QsoRecord& record);

} // namespace QslMarks
