#pragma once

#include "refdata/ReferenceFile.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// One row of the DXCC table with the call that found it. A lookup that finds
// nothing leaves every text empty and every number 0.
struct DxccInfo {
    QString Call;
    QString Prefix; // the leading part of Call that is a key of the index
    QString MainPrefix;
    QString Country;
    QString Continent;
    qint32 Number = 0;
    qint32 Ranking = 0;
    QString Zones;
    double Longitude = 0.0; // east positive
    double Latitude = 0.0;  // north positive
    QString StdTimeText1;
    QString StdTimeText2;
    QString DstTimeText1;
    QString DstTimeText2;
    double UtcOffset = 0.0; // hours
    double DstOffset = 0.0; // hours
    QString DstStartRule;
    QString DstStartTime;
    QString DstEndRule;
    QString DstEndTime;

    bool operator==(const DxccInfo&) const = default;
};

// What the index rebuild did, for the message after the menu command.
struct DxccIndexResult {
    int rows = 0;        // table rows that gave keys
    int keys = 0;        // keys written (a prefix listed twice counts once)
    QStringList skipped; // table lines left out, each naming file and line
};

// The DXCC entity of a callsign, from "DXCC.csv" (entity table) and
// "DXCC.ini" (prefix index) in the program folder. Both files are read again
// whenever their size or modification time changes, so a hand edit counts
// from the next lookup on while a keystroke in the call field costs no parse.
class DxccAccess {
public:
    explicit DxccAccess(const QString& folder);

    QString tableFileName() const { return m_tableName; }
    QString indexFileName() const { return m_indexName; }

    // The entity's country name; empty when no entity is found or the table
    // cannot be read.
    QString GetDxccCountry(const QString& call);

    // While one exists, the files are checked for changes once, not at every
    // lookup: a scan over a whole log looks up tens of thousands of calls.
    class Hold {
    public:
        explicit Hold(DxccAccess& access) : m_access(access) { ++m_access.m_holds; }
        ~Hold() {
            if (--m_access.m_holds == 0)
                m_access.m_checkedWhileHeld = false;
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        DxccAccess& m_access;
    };
    // The country name of every table row after the header, in file order,
    // empty names left out; nothing when the table is missing or unreadable.
    std::optional<QStringList> countryNames();

    // The entity's whole row. A number field that does not read as a number
    // gives 0; the other fields are still filled.
    DxccInfo GetDxccInfo(const QString& call);

    // "DXCC.ini erstellen": rebuilds the index from the table, one key for
    // each non-empty field from 17 on, the later row winning a prefix listed
    // twice. The old index is replaced in one step only once the new one is
    // complete. Throws IoError when the table cannot be read or the index
    // cannot be written; the old index then stays.
    DxccIndexResult rebuildIndex();

    // Lines of the two files that a lookup cannot use or reads wrongly, each
    // naming file and line; also a table or index that cannot be read.
    QStringList problems();

private:
    struct Match {
        QString prefix;
        int row = 0;
    };
    void refresh();
    void load();
    void checkTable();
    void checkIndex(const ReferenceIni& ini);
    Match match(const QString& call) const;
    const QString* rowLine(int row) const;

    QString m_tableName;
    QString m_indexName;
    FileStamp m_tableStamp;
    FileStamp m_indexStamp;
    bool m_loaded = false;
    int m_holds = 0;
    bool m_checkedWhileHeld = false;
    QHash<QString, int> m_index; // folded prefix -> row; keys without a row number left out
    qsizetype m_longestKey = 0;
    QStringList m_table;         // file lines; line 0 is the header
    QStringList m_problems;
};
