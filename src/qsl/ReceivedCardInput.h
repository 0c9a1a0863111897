#pragma once

#include <QString>
#include <optional>

// The date and time typed for a received card, short forms allowed: the
// date "0102" (this year), "010203", "01022003" or with dots, the time "12",
// "1234", "123456" or with colons.
namespace ReceivedCardInput {

struct Result {
    bool given = false; // enough typed to search by it (date 4, time 2 characters)
    QString text;       // "dd.mm.yyyy" / "hh:mm:ss" when given and readable
    QString error;      // a message when given but no date or time
};

Result date(const QString& typed, int currentYear);
Result time(const QString& typed);

} // namespace ReceivedCardInput
