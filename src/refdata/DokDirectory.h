#pragma once

#include "refdata/ReferenceFile.h"

#include <QString>
#include <QStringList>

// What an import of club names did to "DOK.ini".
struct DokImportResult {
    int added = 0;                // DOKs the directory did not have
    int placeholdersReplaced = 0; // "OV <DOK>" or an empty name replaced
    int renamed = 0;              // a real name replaced by a different one
    int unchanged = 0;            // the list gave the name the file already had
    QStringList renamedClubs;     // "A01: old -> new", so no replaced name goes unseen
    QStringList badLines;         // lines of the list left out, each naming file and line

    // One line of counts, then the renamed clubs and the bad lines.
    QString summary() const;
};

// The DOK directory "DOK.ini": club (section "OV") of a DOK, name
// ("Distrikt") and web address ("Website") of its district letter. The file
// is read again whenever its size or modification time changes.
class DokDirectory {
public:
    explicit DokDirectory(const QString& fileName);
    const QString& fileName() const { return m_fileName; }

    // The club of a DOK; empty for a special DOK (one the directory lacks).
    QString club(const QString& dok);
    // Name and web address of the district of the DOK's first character.
    QString district(const QString& dok);
    QString website(const QString& dok);

    // The club and district labels under a DOK field as it is typed. Fewer
    // than 3 characters empty both; otherwise the club is looked up, and only
    // a known club sets the district (districtSet false: the district label
    // keeps what it showed).
    struct Labels {
        QString club;
        QString district;
        bool districtSet = true;
    };
    Labels labelsFor(const QString& fieldText);

    // The address a click on the district label opens: none while the label
    // is empty or the district has no web site.
    QString districtLinkFor(const QString& districtLabel, const QString& fieldText);

    // The lines that describe a DOK in the DOK evaluation: the DOK, then
    // "Ortsverband ...", "Distrikt ..." and the web address, or "Sonder-DOK".
    QStringList describe(const QString& dok);

    // Lines of DOK.ini that a lookup cannot use, each naming file and line.
    QStringList problems();

    // Merges lines "DOK;club name" from listFile into DOK.ini. A name from the
    // list replaces the one in the file (the list is the newer source); a
    // replaced real name is listed in the result. Every other line of DOK.ini
    // - other sections, comments, DOKs the list does not name - stays as it
    // was; new DOKs go to the end of section "OV". Bad lines are left out and
    // reported. The file is replaced atomically, and only if something
    // changed. Throws IoError when either file cannot be read or DOK.ini cannot
    // be written; DOK.ini then stays as it was.
    static DokImportResult importClubNames(const QString& dokIniFile, const QString& listFile);

    static QString placeholderName(const QString& dok) { return QStringLiteral("OV ") + dok; }

private:
    void refresh();
    QString value(const QString& section, const QString& key);

    QString m_fileName;
    FileStamp m_stamp;
    bool m_loaded = false;
    ReferenceIni m_ini;
    QStringList m_problems;
};
