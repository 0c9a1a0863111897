#include "refdata/DokDirectory.h"

#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringDecoder>

namespace {

const QString kClubs = QStringLiteral("OV");
const QString kDistricts = QStringLiteral("Distrikt");
const QString kWebsites = QStringLiteral("Website");

// A club list comes from anywhere: a spreadsheet's UTF-8 export as often as an
// old Windows-1252 file. Text that is valid UTF-8 is taken as such.
QString decodeList(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Codepage::decode(bytes) : text;
}

QString firstCharacter(const QString& text) { return text.left(1); }

// Why a DOK from a list cannot be a key of section "OV"; empty when it can.
QString dokFault(const QString& dok) {
    if (dok.isEmpty())
        return msgText(Msg::DokMissing);
    for (const QChar c : dok) {
        if (c.isSpace() || c == u'=' || c == u'[' || c == u']')
            return msgText(Msg::DokNotADok).arg(dok);
    }
    if (dok.size() < 3)
        return msgText(Msg::DokTooShort).arg(dok);
    return {};
}

// Where the lines of section "OV" stand in DOK.ini.
struct ClubSection {
    QHash<QString, qsizetype> keyLine; // folded DOK -> its line (the first one counts)
    qsizetype insertAfter = -1;        // last non-blank line of the first [OV] section
};

ClubSection locateClubs(const QStringList& lines) {
    ClubSection found;
    bool inClubs = false;
    bool firstDone = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView line = QStringView(lines[i]).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            if (inClubs)
                firstDone = true;
            inClubs = ReferenceIni::fold(line.sliced(1, line.size() - 2).trimmed().toString()) ==
                      ReferenceIni::fold(kClubs);
            if (inClubs && !firstDone)
                found.insertAfter = i;
            continue;
        }
        if (!inClubs || line.isEmpty())
            continue;
        if (!firstDone)
            found.insertAfter = i;
        const qsizetype eq = line.indexOf(u'=');
        if (line.startsWith(u';') || eq <= 0)
            continue;
        const QString key = ReferenceIni::fold(line.first(eq).trimmed().toString());
        if (!key.isEmpty() && !found.keyLine.contains(key))
            found.keyLine.insert(key, i);
    }
    return found;
}

} // namespace

QString DokImportResult::summary() const {
    QStringList out;
    out << msgText(Msg::DokImportSummary)
               .arg(added)
               .arg(placeholdersReplaced)
               .arg(renamed)
               .arg(unchanged)
               .arg(badLines.size());
    for (const QString& r : renamedClubs)
        out << msgText(Msg::RenamedClub) + r;
    out << badLines;
    return out.join(u'\n');
}

DokDirectory::DokDirectory(const QString& fileName) : m_fileName(fileName) {}

void DokDirectory::refresh() {
    const FileStamp stamp = FileStamp::of(m_fileName);
    if (m_loaded && stamp == m_stamp)
        return;
    m_stamp = stamp;
    m_loaded = true;
    m_problems.clear();
    QString text;
    QString error;
    if (!ReferenceFile::read(m_fileName, &text, &error)) {
        m_ini.clear();
        m_problems << error;
        return;
    }
    m_ini.parse(text, m_fileName);
    if (!stamp.exists)
        m_problems << QStringLiteral("\"%1\" fehlt.").arg(QDir::toNativeSeparators(m_fileName));
    m_problems << m_ini.problems();
}

QString DokDirectory::value(const QString& section, const QString& key) {
    refresh();
    const ReferenceIni::Value* v = key.isEmpty() ? nullptr : m_ini.find(section, key);
    return v ? v->text : QString();
}

QString DokDirectory::club(const QString& dok) { return value(kClubs, dok); }

QString DokDirectory::district(const QString& dok) { return value(kDistricts, firstCharacter(dok)); }

QString DokDirectory::website(const QString& dok) { return value(kWebsites, firstCharacter(dok)); }

DokDirectory::Labels DokDirectory::labelsFor(const QString& fieldText) {
    Labels labels;
    if (fieldText.size() < 3)
        return labels;
    labels.club = club(fieldText);
    labels.districtSet = !labels.club.isEmpty();
    if (labels.districtSet)
        labels.district = district(fieldText);
    return labels;
}

QString DokDirectory::districtLinkFor(const QString& districtLabel, const QString& fieldText) {
    return districtLabel.isEmpty() ? QString() : website(fieldText);
}

QStringList DokDirectory::describe(const QString& dok) {
    refresh();
    QStringList lines{dok};
    if (dok.isEmpty() || !m_ini.find(kClubs, dok)) {
        lines << msgText(Msg::SpecialDok);
        return lines;
    }
    lines << msgText(Msg::DokClub) + club(dok) << msgText(Msg::DokDistrict) + district(dok) << website(dok);
    return lines;
}

QStringList DokDirectory::problems() {
    refresh();
    return m_problems;
}

DokImportResult DokDirectory::importClubNames(const QString& dokIniFile, const QString& listFile) {
    QFile list(listFile);
    if (!list.open(QIODevice::ReadOnly)) {
        throw IoError(msgText(Msg::ListUnreadable)
                          .arg(QDir::toNativeSeparators(listFile), list.errorString()));
    }
    const QStringList entries = ReferenceFile::lines(decodeList(list.readAll()));

    QString text;
    QString error;
    if (!ReferenceFile::read(dokIniFile, &text, &error))
        throw IoError(error);
    QStringList lines = ReferenceFile::lines(text);
    ClubSection clubs = locateClubs(lines);
    if (clubs.insertAfter < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + kClubs + QLatin1Char(']');
        clubs.insertAfter = lines.size() - 1;
    }

    DokImportResult result;
    QHash<QString, int> listed; // folded DOK -> line of the list that named it
    QStringList newLines;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const int number = static_cast<int>(i + 1);
        const QString& entry = entries[i];
        if (entry.trimmed().isEmpty())
            continue;
        auto bad = [&](const QString& why) {
            result.badLines << ReferenceFile::lineMessage(listFile, number, why);
        };
        const qsizetype sep = entry.indexOf(u';');
        if (sep < 0) {
            bad(msgText(Msg::DokNoSeparator));
            continue;
        }
        const QString dok = entry.left(sep).trimmed();
        const QString name = entry.mid(sep + 1).trimmed();
        if (number == 1 && dok.compare(QLatin1String("DOK"), Qt::CaseInsensitive) == 0)
            continue; // a spreadsheet's header line
        if (const QString fault = dokFault(dok); !fault.isEmpty()) {
            bad(fault);
            continue;
        }
        if (name.isEmpty()) {
            bad(msgText(Msg::DokClubMissing));
            continue;
        }
        const QString key = ReferenceIni::fold(dok);
        if (const auto seen = listed.constFind(key); seen != listed.constEnd()) {
            bad(msgText(Msg::DokTwice).arg(dok).arg(*seen));
            continue;
        }
        listed.insert(key, number);

        const auto at = clubs.keyLine.constFind(key);
        if (at == clubs.keyLine.constEnd()) {
            newLines << dok.toUpper() + u'=' + name;
            ++result.added;
            continue;
        }
        QString& line = lines[*at];
        const qsizetype eq = line.indexOf(u'=');
        const QString spelling = line.left(eq).trimmed();
        const QString old = line.mid(eq + 1).trimmed();
        if (old == name) {
            ++result.unchanged;
            continue;
        }
        if (old.isEmpty() || old.compare(placeholderName(spelling), Qt::CaseInsensitive) == 0) {
            ++result.placeholdersReplaced;
        } else {
            ++result.renamed;
            result.renamedClubs << QStringLiteral("%1: %2 -> %3").arg(spelling, old, name);
        }
        line = spelling + u'=' + name;
    }

    if (result.added + result.placeholdersReplaced + result.renamed == 0)
        return result;
    for (qsizetype i = 0; i < newLines.size(); ++i)
        lines.insert(clubs.insertAfter + 1 + i, newLines[i]);
    QByteArray out;
    for (const QString& line : lines) {
        Codepage::encodeAppend(line, out);
        out += "\r\n";
    }
    AtomicFile file(dokIniFile);
    file.open();
    file.write(out);
    file.commit();
    return result;
}
