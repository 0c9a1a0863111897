#pragma once

#include <QString>
#include <QStringList>

class Dialogs;

// The fixed band vocabulary, shortest wavelength first. The last index stands
// for any other band, which the operator types as free text.
namespace BandList {
constexpr int Other = 12;
const QStringList& texts(); // indexes 0..11
int TextToBandIndex(const QString& text);
// Index Other asks for a free band text; the preset (and the answer on
// Cancel) is the band currently shown.
QString BandIndexToText(int index, const QString& current, Dialogs& dialogs, const QString& prompt);
} // namespace BandList

namespace ModeList {
constexpr int Other = 11;
const QStringList& texts();        // indexes 0..10 as written ("Pactor")
const QStringList& matchTexts();   // indexes 0..10 as matched ("PACTOR")
int TextToModeIndex(const QString& text);
QString ModeIndexToText(int index, const QString& current, Dialogs& dialogs, const QString& prompt);
} // namespace ModeList

class LogTableModel;

// The free band or mode texts of a log (those the fixed list does not hold:
// indexOf gives other), most used first, then in the order of first use;
// at most max of them. Offered below the fixed list, so that 60m or FT8 need
// not be typed for every contact.
namespace FreeTexts {
QStringList inUse(const LogTableModel& model, int field, int (*indexOf)(const QString&), int other, int max = 12);
} // namespace FreeTexts

// Letter-case helpers that touch ASCII letters only, so umlauts and other
// characters stay exactly as typed.
namespace AsciiCase {
QString toLower(const QString& text);
QString toUpper(const QString& text);
} // namespace AsciiCase
