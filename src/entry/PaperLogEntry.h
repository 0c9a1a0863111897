#pragma once

#include "logstore/QsoRecord.h"

#include <QString>
#include <QStringList>

// Typing in a paper log one token at a time: each token's form tells which
// field it is. Date, band, mode, power and time stay from one contact to
// the next, as they do on a paper log page; the preview lists what the
// contact holds so far.
class PaperLogEntry {
public:
    // The token forms in the order they are tried.
    // The eight fixed preview lines and one for each optional field
    // (DOK, Locator, Comments, QSL out, QSL in, Name, QTH).
    static constexpr int MostPreviewLines = 15;

    enum class Rule {
        Date = 1,
        Utc,
        UtcMinutes,
        TxPwr,
        Band,
        Mode,
        Rst2,
        Rst3,
        RstSerial,
        Dok,
        Locator,
        Comments,
        QslOut,
        QslIn,
        NameQth,
        Call
    };
    static Rule classify(const QString& token, bool utcSet);

    explicit PaperLogEntry(int referenceYear);

    // Takes one token (blanks around it ignored; a blank token is none). A
    // date or time that cannot be read changes nothing and returns the
    // message naming the token; otherwise an empty text.
    QString enter(const QString& token);

    const QsoRecord& record() const { return m_record; }
    const QStringList& preview() const { return m_preview; }

    // An empty contact and a preview of eight empty lines.
    void reset();
    // Date, band, mode, power and time are all set.
    bool canSave() const;
    // The contact as it is appended: empty reports take the defaults.
    QsoRecord contactToSave(const QString& rstTxDefault, const QString& rstRxDefault, int number) const;
    // After a save: the five page fields stay, the others are emptied, and
    // the preview shows the page fields.
    void startNext();

    // "alle selektierten Felder setzen" is offered for a selection inside one
    // column other than "#", "Date", "UTC" and "Call" (record fields 1..16).
    static bool rangeSetAllowed(int firstField, int lastField);

private:
    void setLine(int line, const QString& text);
    // Lines from 8 on, one per optional field in the order first entered.
    void setOptional(int field, const QString& prefix, const QString& value);

    int m_referenceYear;
    QsoRecord m_record;
    QStringList m_preview;
};
