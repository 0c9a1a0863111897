#pragma once

#include <QString>
#include <QStringList>

class LogTableModel;
class Settings;

// Whether the call being entered has been logged before. The call always
// counts; band, mode and date can be switched on as further conditions.
class DuplicateCheck {
public:
    enum Option : int {
        Band = 1,
        Mode = 2,
        Date = 4,
    };

    // "Doppel-Check"/"Options": one "0" or "1" each for band, mode and date.
    // Anything but "1" in a position, or a missing position, is off.
    static int optionsFromText(const QString& text);
    static QString optionsToText(int options);
    // The options as the section stores them; none stored: the call alone.
    static int readOptions(const Settings& settings);
    static void writeOptions(Settings& settings, int options);

    // The index of the oldest record that counts as the same contact, or -1
    // (also for an empty call). Call and mode are compared without regard to
    // letter case, band and date exactly as the mask shows them.
    static int findFirst(const LogTableModel& model, const QString& call, const QString& band, const QString& mode,
                         const QString& date, int options);

    // The 16 cells of a record as the list grid shows them (line breaks of
    // Comments as blanks): what the warning window lists.
    static QStringList gridCells(const LogTableModel& model, int index);
};
