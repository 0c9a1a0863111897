#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

class Settings;

// What the status bar's variables stand for at one refresh.
struct StatusBarValues {
    QDate date;
    QTime time;
    qint64 ticks = 0; // milliseconds since the system started
    bool logOpen = false;
    int contacts = 0;
    QString lastCall;
    QString logFile; // without folder
    bool referenceListShown = false;
    int referenceContacts = 0;
    QStringList referenceLogs; // the four path boxes
    int callbookVersion = 0;
};

// The status bar's text: a template the operator writes, with variables
// such as QSO_COUNT or TIME replaced in a fixed order, letter case ignored.
// Variables about the log stay as written while no log is open.
namespace StatusBarTemplate {
QString fill(const QString& text, const StatusBarValues& values, const QLocale& locale);
// The help beside the template: every variable with its description.
QStringList helpLines();

// The template as stored in the section "StatusBar"; empty by default.
QString stored(const Settings& settings);
void store(Settings& settings, const QString& text);
} // namespace StatusBarTemplate
