#include "refdata/Dxcc.h"

#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/GermanNumber.h"
#include "logstore/IoError.h"
#include "settings/Settings.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int kFirstPrefixField = 17;
constexpr int kMinFields = 18;

const QString& indexSection() {
    static const QString name = QStringLiteral("DXCC");
    return name;
}

// Fields of a table line split from the left, at most count of them; the
// rest of the line after the last of these is not looked at, which keeps a
// row with thousands of prefixes cheap to read.
QList<QStringView> leadingFields(QStringView line, int count) {
    QList<QStringView> fields;
    qsizetype from = 0;
    while (fields.size() < count) {
        const qsizetype sep = line.indexOf(u';', from);
        if (sep < 0) {
            fields << line.sliced(from);
            break;
        }
        fields << line.sliced(from, sep - from);
        from = sep + 1;
    }
    return fields;
}

std::optional<int> readInteger(QStringView text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The table is written with a decimal comma; a hand edit with a point reads too.
std::optional<double> readDecimal(QStringView text) {
    const QString trimmed = text.trimmed().toString();
    if (const auto value = GermanNumber::parse(trimmed))
        return value;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

struct NumberField {
    int index;
    Msg name;
    double limit; // the largest magnitude that makes sense; 0 for an integer field
};

constexpr NumberField kNumberFields[] = {
    {3, Msg::DxccRanking, 0},    {5, Msg::DxccLongitude, 180},        {6, Msg::DxccLatitude, 90},
    {11, Msg::DxccUtcOffset, 14}, {12, Msg::DxccDstOffset, 2},
};

} // namespace

DxccAccess::DxccAccess(const QString& folder)
    : m_tableName(QDir(folder).filePath(QStringLiteral("DXCC.csv"))),
      m_indexName(QDir(folder).filePath(QStringLiteral("DXCC.ini"))) {}

void DxccAccess::refresh() {
    if (m_holds > 0) {
        if (m_checkedWhileHeld)
            return;
        m_checkedWhileHeld = true;
    }
    const FileStamp table = FileStamp::of(m_tableName);
    const FileStamp index = FileStamp::of(m_indexName);
    if (m_loaded && table == m_tableStamp && index == m_indexStamp)
        return;
    m_tableStamp = table;
    m_indexStamp = index;
    load();
}

void DxccAccess::load() {
    m_loaded = true;
    m_index.clear();
    m_longestKey = 0;
    m_table.clear();
    m_problems.clear();

    QString text;
    QString error;
    if (ReferenceFile::read(m_tableName, &text, &error))
        m_table = ReferenceFile::lines(text);
    else
        m_problems << error;
    checkTable();

    if (!ReferenceFile::read(m_indexName, &text, &error)) {
        m_problems << error;
        return;
    }
    ReferenceIni ini;
    ini.parse(text, m_indexName);
    checkIndex(ini);
}

void DxccAccess::checkTable() {
    if (!m_tableStamp.exists) {
        m_problems << msgText(Msg::FileMissing).arg(QDir::toNativeSeparators(m_tableName));
        return;
    }
    for (qsizetype row = 1; row < m_table.size(); ++row) {
        const int line = static_cast<int>(row + 1);
        const QList<QStringView> fields = leadingFields(m_table[row], kMinFields);
        auto complain = [&](const QString& text) {
            appendProblem(m_problems, ReferenceFile::lineMessage(m_tableName, line, text));
        };
        if (fields.size() < kMinFields) {
            complain(msgText(Msg::DxccTooFewFields)
                         .arg(fields.size())
                         .arg(kMinFields));
            continue;
        }
        if (readInteger(fields[0]).value_or(-1) != row) {
            complain(msgText(Msg::DxccWrongRowNumber)
                         .arg(fields[0].toString())
                         .arg(row));
        }
        for (const NumberField& f : kNumberFields) {
            const QStringView value = fields[f.index];
            std::optional<double> number = readDecimal(value);
            if (f.limit == 0)
                number = readInteger(value) ? number : std::nullopt;
            if (!number) {
                complain(msgText(Msg::DxccNotANumber)
                             .arg(msgText(f.name))
                             .arg(f.index)
                             .arg(value.toString()));
            } else if (f.limit > 0 && std::fabs(*number) > f.limit) {
                complain(msgText(Msg::DxccOutOfRange)
                             .arg(msgText(f.name))
                             .arg(f.index)
                             .arg(value.toString())
                             .arg(f.limit));
            }
        }
    }
}

void DxccAccess::checkIndex(const ReferenceIni& ini) {
    for (const QString& p : ini.problems())
        appendProblem(m_problems, p);
    const auto* section = ini.section(indexSection());
    if (!section) {
        if (m_indexStamp.exists)
            m_problems << msgText(Msg::DxccNoSection).arg(QDir::toNativeSeparators(m_indexName));
        else
            m_problems << msgText(Msg::FileMissing).arg(QDir::toNativeSeparators(m_indexName));
        return;
    }
    std::vector<std::pair<int, QString>> found;
    const int rows = static_cast<int>(std::max<qsizetype>(m_table.size() - 1, 0));
    m_index.reserve(section->size());
    for (auto it = section->constBegin(); it != section->constEnd(); ++it) {
        const int row = Settings::parseInteger(it->text).value_or(0);
        if (row > 0) {
            m_index.insert(it.key(), row);
            m_longestKey = std::max(m_longestKey, it.key().size());
        }
        if (row <= 0) {
            found.emplace_back(it->line, ReferenceFile::lineMessage(m_indexName, it->line,
                                                                    msgText(Msg::DxccNoRowNumber)
                                                                        .arg(it->text)));
        } else if (row > rows) {
            found.emplace_back(it->line, ReferenceFile::lineMessage(m_indexName, it->line,
                                                                    msgText(Msg::DxccRowBeyondTable)
                                                                        .arg(row)
                                                                        .arg(rows)));
        }
    }
    // The index is hashed; the user reads the file from the top.
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, message] : found)
        appendProblem(m_problems, message);
}

// The index has no mark for cty.dat's exact calls: 4U1WB is a key like any
// prefix and so also matches 4U1WBX. The generator keeps only exact calls
// that claim no regular calls this way (keeps_exact_call in
// tools/dxcc/make_dxcc.py).
DxccAccess::Match DxccAccess::match(const QString& call) const {
    // Folding the whole call once is enough unless folding changed its length.
    QString key = ReferenceIni::fold(call);
    const bool sliceable = key.size() == call.size();
    // No key is longer than the longest in the index; truncating one buffer
    // spares an allocation for each shorter prefix tried.
    for (qsizetype n = sliceable ? std::min(call.size(), m_longestKey) : call.size(); n >= 2; --n) {
        if (sliceable)
            key.truncate(n);
        else
            key = ReferenceIni::fold(call.first(n));
        const auto it = m_index.constFind(key);
        if (it != m_index.constEnd())
            return {call.first(n), *it};
    }
    return {};
}

const QString* DxccAccess::rowLine(int row) const {
    return row > 0 && row < m_table.size() ? &m_table[row] : nullptr;
}

QString DxccAccess::GetDxccCountry(const QString& call) {
    refresh();
    const QString* line = rowLine(match(call).row);
    if (!line)
        return {};
    const QList<QStringView> fields = leadingFields(*line, 3);
    // The name must be closed by a second ";", as the table always has it.
    return fields.size() == 3 ? fields[1].toString() : QString();
}

std::optional<QStringList> DxccAccess::countryNames() {
    refresh();
    if (!m_tableStamp.exists || m_table.isEmpty())
        return std::nullopt;
    QStringList names;
    for (qsizetype row = 1; row < m_table.size(); ++row) {
        const QList<QStringView> fields = leadingFields(m_table[row], 3);
        if (fields.size() == 3 && !fields[1].isEmpty())
            names << fields[1].toString();
    }
    return names;
}

DxccInfo DxccAccess::GetDxccInfo(const QString& call) {
    refresh();
    DxccInfo info;
    const Match found = match(call);
    const QString* line = rowLine(found.row);
    if (!line)
        return info;
    const QList<QStringView> f = leadingFields(*line, kMinFields);
    // A row too short for the index can still be pointed at by a hand-edited
    // index: what it has is shown, the rest stays empty.
    auto text = [&f](int i) { return i < f.size() ? f[i].toString() : QString(); };
    auto integer = [&f](int i) { return i < f.size() ? readInteger(f[i]).value_or(0) : 0; };
    auto decimal = [&f](int i) { return i < f.size() ? readDecimal(f[i]).value_or(0.0) : 0.0; };
    info.Call = call;
    info.Prefix = found.prefix;
    info.MainPrefix = text(17);
    info.Country = text(1);
    info.Continent = text(2);
    info.Number = integer(0);
    info.Ranking = integer(3);
    info.Zones = text(4);
    info.Longitude = decimal(5);
    info.Latitude = decimal(6);
    info.StdTimeText1 = text(7);
    info.StdTimeText2 = text(8);
    info.DstTimeText1 = text(9);
    info.DstTimeText2 = text(10);
    info.UtcOffset = decimal(11);
    info.DstOffset = decimal(12);
    info.DstStartTime = text(13);
    info.DstEndTime = text(14);
    info.DstStartRule = text(15);
    info.DstEndRule = text(16);
    return info;
}

QStringList DxccAccess::problems() {
    refresh();
    return m_problems;
}

DxccIndexResult DxccAccess::rebuildIndex() {
    if (!QFileInfo::exists(m_tableName)) {
        throw IoError(msgText(Msg::DxccTableMissingIndexKept)
                          .arg(QDir::toNativeSeparators(m_tableName), QDir::toNativeSeparators(m_indexName)));
    }
    QString text;
    QString error;
    if (!ReferenceFile::read(m_tableName, &text, &error))
        throw IoError(error);
    const QStringList lines = ReferenceFile::lines(text);

    DxccIndexResult result;
    QVector<std::pair<QString, QString>> entries; // key as first written, row text
    QHash<QString, qsizetype> position;           // folded key -> entry
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i + 1);
        const QStringList fields = lines[i].split(u';');
        if (fields.size() < kMinFields) {
            result.skipped << ReferenceFile::lineMessage(
                m_tableName, lineNumber,
                msgText(Msg::DxccLineNotIndexed)
                    .arg(fields.size())
                    .arg(kMinFields));
            continue;
        }
        bool gaveKey = false;
        for (qsizetype j = kFirstPrefixField; j < fields.size(); ++j) {
            const QString key = fields[j].trimmed();
            if (key.isEmpty())
                continue;
            // Such a key would read back as another key or as a section.
            if (key.contains(u'=') || (key.startsWith(u'[') && key.endsWith(u']'))) {
                result.skipped << ReferenceFile::lineMessage(
                    m_tableName, lineNumber,
                    msgText(Msg::DxccPrefixNoKey).arg(key).arg(j));
                continue;
            }
            const QString folded = ReferenceIni::fold(key);
            const auto known = position.constFind(folded);
            if (known != position.constEnd()) {
                entries[*known].second = fields[0];
            } else {
                position.insert(folded, entries.size());
                entries.append({key, fields[0]});
            }
            gaveKey = true;
        }
        if (gaveKey)
            ++result.rows;
    }

    // An empty or broken table would leave every call without an entity.
    if (entries.isEmpty()) {
        QString text = msgText(Msg::DxccTableEmptyIndexKept)
                           .arg(QDir::toNativeSeparators(m_tableName), QDir::toNativeSeparators(m_indexName));
        if (!result.skipped.isEmpty())
            text += u'\n' + result.skipped.mid(0, 10).join(u'\n');
        throw IoError(text);
    }

    QByteArray out;
    out.reserve(entries.size() * 12 + 16);
    out += "[DXCC]\r\n";
    for (const auto& [key, row] : entries) {
        Codepage::encodeAppend(key, out);
        out += '=';
        Codepage::encodeAppend(row, out);
        out += "\r\n";
    }
    out += "\r\n";
    AtomicFile file(m_indexName);
    file.open();
    file.write(out);
    file.commit();
    result.keys = static_cast<int>(entries.size());
    return result;
}
