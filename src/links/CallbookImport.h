#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What an import did.
struct CallbookImportResult {
    qsizetype written = 0;  // entries in the new database
    qsizetype inactive = 0; // licences of the dump that are not active (left out)
    qsizetype replaced = 0; // entries replaced by a later one of the same call
    QStringList notes;      // records left out or changed, with file and line
};

// Builds the callbook database (CallbookDatabase) from
//  - the US amateur licence dump (FCC ULS "l_amat": HD.dat, AM.dat, EN.dat
//    in one folder, pipe-separated): the licences of status A with name,
//    address, fax, e-mail and operator class;
//  - a text file of lines "CALL;Name;Address;Licence;Comment;Fax;E-Mail"
//    (UTF-8 or Windows-1252; trailing fields may be left out; an empty line
//    is skipped, and so is a first line "CALL;Name;…" naming the columns).
// The database is replaced atomically; on any error (IoError, naming the
// file and line) the old one stays as it was.
namespace CallbookImport {

// The database file a command names: a folder stands for Callbook.vcb in
// it. Empty, with the reason in error, for a file of another name (the
// lookup finds the database by that name in its folder).
QString databasePath(const QString& given, QString* error);

CallbookImportResult importUls(const QString& folder, const QString& database);
CallbookImportResult importText(const QString& file, const QString& database);

// The entry text of one station (Windows-1252 fields, see
// CallbookDatabase); name and address become the "name, address" field, so
// ", " inside the name is made a blank. Fields are cut so that the text
// fits the lookup's buffer; cut tells whether that happened.
QByteArray entryText(const QByteArray& call, QByteArray name, const QByteArray& address, const QByteArray& licence,
                     const QByteArray& comment, const QByteArray& fax, const QByteArray& email, bool* cut = nullptr);

// Whether text is a callsign the database can hold: letters, digits and
// "/", not empty.
bool isCallsign(const QByteArray& text);

} // namespace CallbookImport
