#include "links/CallBookAccess.h"

#include "links/CallbookDatabase.h"
#include "logstore/Codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CallBook::CallBook(const QString& folder) : m_folder(QFile::encodeName(folder)) {}

std::optional<CallBook> CallBook::forDatabaseFile(const QString& fileName) {
    if (fileName.trimmed().isEmpty())
        return std::nullopt;
    const QFileInfo file(fileName);
    if (!file.isFile())
        return std::nullopt;
    QString folder = file.absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return CallBook(folder);
}

QString CallBook::folder() const { return QFile::decodeName(m_folder); }

QByteArray CallBook::preparedCall(const QString& call) {
    return Codepage::encode(call.toLower().trimmed().left(CallbookDatabase::KeyLength));
}

CallInfo CallBook::GetCallInfo(const QString& call) const {
    char buffer[CallbookDatabase::BufferSize] = {};
    qint16 result = 0;
    const QByteArray prepared = preparedCall(call);
    pGetCallInfo(&result, buffer, prepared.constData(), m_folder.constData());
    return evaluate(result, buffer);
}

CallInfo CallBook::evaluate(qint32 code, const char* buffer) {
    CallInfo info;
    info.ErrorCode = code;
    if (code != 0)
        return info;
    QByteArray fields[32]; // one per code below 32
    int current = 0;
    for (int i = 0; i < CallbookDatabase::BufferSize; ++i) {
        const auto c = static_cast<unsigned char>(buffer[i]);
        if (c == 0)
            break;
        if (c < 32)
            current = c;
        else
            fields[current] += static_cast<char>(c);
    }
    info.Field1 = Codepage::decode(fields[1]);
    info.Adresse = Codepage::decode(fields[2]);
    info.Licence = Codepage::decode(fields[7]);
    info.Comment = Codepage::decode(fields[22]);
    info.FaxNr = Codepage::decode(fields[23]);
    info.EMail = Codepage::decode(fields[24]);
    if (!info.Licence.isEmpty())
        info.Licence.prepend(QStringLiteral("Licence Class: "));
    if (!info.FaxNr.isEmpty())
        info.FaxNr.prepend(QStringLiteral("Fax-Number: "));
    if (!info.EMail.isEmpty())
        info.EMail.prepend(QStringLiteral("e-Mail: "));
    const qsizetype comma = info.Adresse.indexOf(QStringLiteral(", "));
    if (comma >= 0) {
        info.Name = info.Adresse.left(comma);
        info.Adresse = info.Adresse.mid(comma + 2);
    }
    return info;
}

int CallBook::CheackDataBaseFormat() const {
    qint16 status = 0;
    qint16 flag = 0;
    pCheckDatabaseFormat(&status, &flag, m_folder.constData());
    if (flag == 1 && status == 0)
        return CallbookDatabase::WrongFormat;
    return status;
}

int CallBook::versionNr() {
    quint16 version = 0;
    pGetVersionNr(&version);
    return version;
}

int CallBook::messageIndex(int code) {
    switch (code) {
    case -5: return 15;
    case -4: return 16;
    case -3: return 17;
    case -2: return 18;
    case 2: return 20;
    case 3: return 21;
    case 5: return 22;
    case 1101: return 23;
    case 32000: return 24;
    default: return 25;
    }
}

CallbookTransfer CallBook::transfer(const CallInfo& info, const CallbookSelection& selection) {
    CallbookTransfer t;
    if (!info.Name.isEmpty()) {
        if (selection.name) {
            t.name = info.Name;
        } else if (selection.firstName) {
            const qsizetype blank = info.Name.indexOf(u' ');
            t.name = blank >= 0 ? info.Name.left(blank) : QString();
        }
    }
    const std::pair<bool, const QString*> lines[] = {{selection.address, &info.Adresse},
                                                     {selection.licence, &info.Licence},
                                                     {selection.comment, &info.Comment},
                                                     {selection.fax, &info.FaxNr},
                                                     {selection.email, &info.EMail}};
    for (const auto& [chosen, text] : lines) {
        if (chosen && !text->isEmpty())
            t.commentLines << *text;
    }
    return t;
}

QString CallBook::appendLines(const QString& comments, const QStringList& lines) {
    QString out = comments;
    for (const QString& line : lines) {
        if (!out.isEmpty() && !out.endsWith(u'\n'))
            out += u'\n';
        out += line;
    }
    return out;
}
