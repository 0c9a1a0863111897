#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What a lookup found for one callsign. The texts are decoded from the
// database's Windows-1252 bytes; ErrorCode 0 means found (see
// CallbookDatabase::Code for the others).
struct CallInfo {
    QString Field1;
    QString Adresse;
    QString Licence;
    QString Comment;
    QString FaxNr;
    QString EMail;
    QString Name;
    qint32 ErrorCode = 0;
};

// Which of a lookup's fields go into the mask: the seven boxes of the
// options tab "RAC".
struct CallbookSelection {
    bool name = false;
    bool firstName = false;
    bool address = false;
    bool licence = false;
    bool comment = false;
    bool fax = false;
    bool email = false;
};

// What a successful lookup changes in the mask: the name field (when
// set) and the lines added at the end of Comments.
struct CallbookTransfer {
    std::optional<QString> name;
    QStringList commentLines;
};

// The access to the callbook component. The database folder is kept as
// the encoded path of any length (a fixed buffer would cut long folders off
// and look the calls up in another folder).
class CallBook {
public:
    // folder: the database folder, with a trailing separator.
    explicit CallBook(const QString& folder);

    // The callbook of the database file named in the settings, or none when
    // that file does not exist.
    static std::optional<CallBook> forDatabaseFile(const QString& fileName);

    CallInfo GetCallInfo(const QString& call) const;
    // The format check of the database: 0 in order, -3 wrong format, else
    // the status of the component.
    int CheackDataBaseFormat() const;
    // The version the component reports.
    static int versionNr();
    static QString versionText() { return QStringLiteral("CallBookAccess  Version 1.0"); }

    QString folder() const;

    // The callsign as the component gets it: lower case, blanks trimmed at
    // both ends, its first seven characters (Windows-1252).
    static QByteArray preparedCall(const QString& call);
    // Reads a result buffer of the component (at most BufferSize bytes are
    // looked at; the scan stops at the first zero byte).
    static CallInfo evaluate(qint32 code, const char* buffer);
    // The language text (15 … 25) that explains a non-zero result code.
    static int messageIndex(int code);
    // The name field and the Comments lines a found entry gives.
    static CallbookTransfer transfer(const CallInfo& info, const CallbookSelection& selection);
    // Comments with the lines added at its end.
    static QString appendLines(const QString& comments, const QStringList& lines);

private:
    QByteArray m_folder;
};
