#pragma once

#include <QChar>
#include <QString>

// The Morse alphabet of the CW output and the preparation of a text for it.
namespace MorseCode {

// The character that stands for the error sign (eight dots).
inline constexpr QChar ErrorSign = QChar(1);

// The text as it is sent: CR LF becomes two blanks, A-Z become a-z (nothing
// else changes case), "ä" "ö" "ü" become "ae" "oe" "ue", "%" becomes "0/0"
// and "‰" becomes "0/00", in this order.
QString prepare(const QString& text);

// The code of one character of a prepared text, "." for a dot and "-" for a
// dash; empty for a blank and for every character that makes no sound.
QString codeOf(QChar c);

} // namespace MorseCode
