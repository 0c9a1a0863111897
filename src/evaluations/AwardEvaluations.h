#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class DxccAccess;
class EvaluationFilter;
class LanguageTexts;
class LogFile;

// DOKs worked and confirmed. A DOK ends in exactly one list: confirmed once
// any of its contacts has a card, else worked. DOKs are compared exactly
// ("b01" and "B01" are two).
struct DokResult {
    QStringList worked;    // sorted
    QStringList confirmed; // sorted
    QString error;         // the run stopped at an unreadable contact
    QString resultLine(const LanguageTexts& texts) const;
};

// Throws IoError when the log cannot be read.
DokResult runDokEvaluation(LogFile& log, const EvaluationFilter& filter);

struct DxccState {
    enum : int { NotWorked = 0, Worked = 1, Confirmed = 2 };
    QString country;
    int state = NotWorked;
    bool operator==(const DxccState&) const = default;
};

// DXCC entities worked and confirmed, and every entity of the table.
struct DxccResult {
    QVector<DxccState> worked; // states 1 and 2, sorted ignoring case
    QVector<DxccState> all;    // every entity, worked or not, sorted the same way
    int workedCount = 0;       // state 1
    int confirmedCount = 0;    // state 2
    QStringList shortCalls;    // one line per contact whose call is too short
    // The run stopped: at an unreadable contact (nothing is to be shown), or
    // at a missing table (worked holds what was found, all is empty).
    QString error;
    QString resultLine(const LanguageTexts& texts) const;
    // The one message about the short calls; empty when there are none.
    QString shortCallsMessage() const;
};

// Throws IoError when the log cannot be read.
DxccResult runDxccEvaluation(LogFile& log, const EvaluationFilter& filter, DxccAccess& dxcc,
                             const LanguageTexts& texts);
