#include "links/CallbookImport.h"

#include "links/CallbookDatabase.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

using CallbookDatabase::MaxTextLength;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// A whole input file, mapped where it can be (a licence dump is hundreds of
// megabytes) and read otherwise.
class InputFile {
public:
    explicit InputFile(const QString& path) : m_file(path) {
        if (!m_file.open(QIODevice::ReadOnly))
            throw IoError(msgText(Msg::FileNotReadable).arg(shown(path), m_file.errorString()));
        if (m_file.size() == 0)
            return;
        m_data = reinterpret_cast<const char*>(m_file.map(0, m_file.size()));
        if (m_data == nullptr) {
            m_copy = m_file.readAll();
            if (m_file.error() != QFileDevice::NoError)
                throw IoError(msgText(Msg::FileNotReadable).arg(shown(path), m_file.errorString()));
            m_data = m_copy.constData();
        }
        m_size = m_file.size();
    }
    const char* data() const { return m_data; }
    qint64 size() const { return m_size; }

private:
    QFile m_file;
    QByteArray m_copy;
    const char* m_data = nullptr;
    qint64 m_size = 0;
};

// One record of a dump file: its fields (views into the file) and the line
// it starts on.
struct Record {
    std::vector<std::string_view> fields;
    qint64 line = 0;
    std::string joined; // a record broken over several lines, put together
};

QByteArray bytes(std::string_view v) { return QByteArray(v.data(), static_cast<qsizetype>(v.size())); }

std::string_view trimmed(std::string_view v) {
    while (!v.empty() && static_cast<unsigned char>(v.front()) <= ' ')
        v.remove_prefix(1);
    while (!v.empty() && static_cast<unsigned char>(v.back()) <= ' ')
        v.remove_suffix(1);
    return v;
}

void split(std::string_view text, std::vector<std::string_view>& fields) {
    fields.clear();
    std::size_t from = 0;
    for (;;) {
        const std::size_t bar = text.find('|', from);
        if (bar == std::string_view::npos) {
            fields.push_back(text.substr(from));
            return;
        }
        fields.push_back(text.substr(from, bar - from));
        from = bar + 1;
    }
}

// Reads the records of one dump file ("HD", "AM" or "EN" lines). A line
// that does not start with the record type continues the record before it:
// the dump breaks a record where a field holds a line break. visit gets
// each record with at least minFields fields; shorter ones become notes.
template <typename Visit>
void readDump(const QString& path, const char* type, std::size_t minFields, QStringList& notes, Visit visit) {
    const InputFile file(path);
    const std::string_view all(file.data(), static_cast<std::size_t>(file.size()));
    const std::string prefix = std::string(type) + '|';
    const QString name = QFileInfo(path).fileName();
    Record record;
    bool open = false;
    std::string_view first;
    auto finish = [&] {
        if (!open)
            return;
        open = false;
        split(record.joined.empty() ? first : std::string_view(record.joined), record.fields);
        if (record.fields.size() < minFields) {
            notes << msgText(Msg::CallbookShortRecord).arg(name).arg(record.line).arg(record.fields.size()).arg(minFields);
            return;
        }
        visit(record);
    };
    std::size_t at = 0;
    qint64 lineNumber = 0;
    while (at < all.size()) {
        std::size_t end = all.find('\n', at);
        if (end == std::string_view::npos)
            end = all.size();
        std::string_view line = all.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.substr(0, prefix.size()) == prefix) {
            finish();
            open = true;
            first = line;
            record.joined.clear();
            record.line = lineNumber;
        } else if (open) {
            if (record.joined.empty())
                record.joined.assign(first);
            record.joined += ' ';
            record.joined.append(line);
        } else if (!trimmed(line).empty()) {
            notes << msgText(Msg::CallbookStrayLine).arg(name).arg(lineNumber);
        }
    }
    finish();
}

quint32 numberOf(std::string_view v) {
    quint32 n = 0;
    for (const char c : trimmed(v)) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + static_cast<quint32>(c - '0');
    }
    return n;
}

// "123456789" is the ZIP+4 form of a US postal code.
std::string zipCode(std::string_view zip) {
    zip = trimmed(zip);
    if (zip.size() == 9 && std::all_of(zip.begin(), zip.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(zip.substr(0, 5)) + '-' + std::string(zip.substr(5));
    return std::string(zip);
}

void appendPart(std::string& out, std::string_view part, const char* separator) {
    part = trimmed(part);
    if (part.empty())
        return;
    if (!out.empty())
        out += separator;
    out.append(part);
}

// What the dump says of one active licence.
struct Station {
    quint32 usi = 0;
    std::uint64_t key = 0;
    qint64 hdLine = 0;
    char operatorClass = 0;
    bool hasEntity = false;
    bool licensee = false;
    QByteArray name, address, fax, email;
};

QString fileIn(const QString& folder, const QString& name) {
    // The dump's files are named in capitals; a copy that went through a
    // tool which lowers names is found too.
    const QDir dir(folder);
    for (const QString& candidate : {name, name.toLower()}) {
        if (dir.exists(candidate))
            return dir.filePath(candidate);
    }
    throw IoError(msgText(Msg::CallbookUlsFileMissing).arg(name, shown(folder)));
}

QString decodeText(const QByteArray& raw) {
    QByteArrayView view(raw);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    return Codepage::decode(view.constData(), view.size());
}

} // namespace

namespace CallbookImport {

QString databasePath(const QString& given, QString* error) {
    const QFileInfo info(given);
    if (info.isDir())
        return QDir(info.absoluteFilePath()).filePath(CallbookDatabase::fileName());
    if (info.fileName() != CallbookDatabase::fileName()) {
        if (error)
            *error = msgText(Msg::CallbookDatabaseName).arg(shown(given));
        return {};
    }
    return info.absoluteFilePath();
}

bool isCallsign(const QByteArray& text) {
    if (text.isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/';
    });
}

QByteArray entryText(const QByteArray& call, QByteArray name, const QByteArray& address, const QByteArray& licence,
                     const QByteArray& comment, const QByteArray& fax, const QByteArray& email, bool* cut) {
    // The lookup splits "name, address" at the first ", ": one inside the
    // name would move part of it into the address.
    auto clean = [](QByteArray text) {
        for (char& c : text) {
            if (static_cast<unsigned char>(c) < 32)
                c = ' ';
        }
        return text.trimmed();
    };
    name = clean(name).replace(", ", " ");
    QByteArray out;
    auto field = [&](char code, const QByteArray& text) {
        if (text.isEmpty())
            return;
        out += code;
        out += text;
    };
    field(1, clean(call).toUpper());
    const QByteArray where = clean(address);
    if (!name.isEmpty() || !where.isEmpty())
        field(2, name + ", " + where);
    field(7, clean(licence));
    field(22, clean(comment));
    field(23, clean(fax));
    field(24, clean(email));
    if (cut)
        *cut = out.size() > MaxTextLength;
    out.truncate(MaxTextLength);
    // A field code left without text at the cut is dropped with it.
    while (!out.isEmpty() && static_cast<unsigned char>(out.back()) < 32)
        out.chop(1);
    return out;
}

CallbookImportResult importUls(const QString& folder, const QString& database) {
    const QString hdPath = fileIn(folder, QStringLiteral("HD.dat"));
    const QString amPath = fileIn(folder, QStringLiteral("AM.dat"));
    const QString enPath = fileIn(folder, QStringLiteral("EN.dat"));
    CallbookImportResult result;
    std::vector<Station> stations;
    std::unordered_map<quint32, std::size_t> byUsi;

    // HD: unique_system_identifier (2), call_sign (5), license_status (6).
    readDump(hdPath, "HD", 6, result.notes, [&](const Record& r) {
        if (trimmed(r.fields[5]) != "A") {
            ++result.inactive;
            return;
        }
        const QByteArray call = bytes(trimmed(r.fields[4]));
        if (!isCallsign(call)) {
            result.notes << msgText(Msg::CallbookBadCallNote).arg(QStringLiteral("HD.dat")).arg(r.line).arg(Codepage::decode(call));
            return;
        }
        Station s;
        s.usi = numberOf(r.fields[1]);
        s.key = CallbookDatabase::packKey(call.constData(), std::size_t(call.size()));
        s.hdLine = r.line;
        const auto [it, added] = byUsi.emplace(s.usi, stations.size());
        if (added)
            stations.push_back(std::move(s));
        else
            stations[it->second] = std::move(s);
    });
    // AM: operator_class (6), one letter.
    readDump(amPath, "AM", 6, result.notes, [&](const Record& r) {
        const auto it = byUsi.find(numberOf(r.fields[1]));
        const std::string_view c = trimmed(r.fields[5]);
        if (it != byUsi.end() && !c.empty())
            stations[it->second].operatorClass = c.front();
    });
    // EN: entity_type (6), entity_name (8), first_name, mi, last_name,
    // suffix (9-12), fax (14), email (15), street_address, city, state,
    // zip_code, po_box (16-20). A licence may have several entities; the
    // licensee (type "L") is the one shown.
    readDump(enPath, "EN", 19, result.notes, [&](const Record& r) {
        const auto it = byUsi.find(numberOf(r.fields[1]));
        if (it == byUsi.end())
            return;
        Station& s = stations[it->second];
        const bool licensee = trimmed(r.fields[5]) == "L";
        if (s.hasEntity && (s.licensee || !licensee))
            return;
        s.hasEntity = true;
        s.licensee = licensee;
        std::string name;
        for (const std::size_t i : {8u, 9u, 10u, 11u})
            appendPart(name, r.fields[i], " ");
        if (name.empty())
            appendPart(name, r.fields[7], " ");
        std::string street;
        appendPart(street, r.fields[15], " ");
        if (street.empty() && r.fields.size() > 19 && !trimmed(r.fields[19]).empty())
            street = "PO Box " + std::string(trimmed(r.fields[19]));
        std::string place;
        appendPart(place, r.fields[17], " ");
        appendPart(place, zipCode(r.fields[18]), " ");
        std::string address;
        appendPart(address, street, ", ");
        appendPart(address, r.fields[16], ", ");
        appendPart(address, place, ", ");
        s.name = QByteArray::fromStdString(name);
        s.address = QByteArray::fromStdString(address);
        s.fax = bytes(trimmed(r.fields[13]));
        s.email = bytes(trimmed(r.fields[14]));
    });

    // Of two active licences of one call the later grant (the higher
    // system identifier) stays.
    std::sort(stations.begin(), stations.end(), [](const Station& a, const Station& b) { return a.usi < b.usi; });
    CallbookDatabase::Builder builder;
    builder.reserve(stations.size(), qsizetype(stations.size()) * 80);
    for (const Station& s : stations) {
        bool cut = false;
        const QByteArray call = CallbookDatabase::keyText(s.key).toUpper();
        const QByteArray licence = s.operatorClass ? QByteArray(1, s.operatorClass) : QByteArray();
        builder.add(s.key, entryText(call, s.name, s.address, licence, {}, s.fax, s.email, &cut));
        if (cut)
            result.notes << msgText(Msg::CallbookEntryCut).arg(QStringLiteral("HD.dat")).arg(s.hdLine).arg(Codepage::decode(call));
    }
    result.replaced = builder.write(database);
    result.written = builder.size() - result.replaced;
    return result;
}

CallbookImportResult importText(const QString& path, const QString& database) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(msgText(Msg::FileNotReadable).arg(shown(path), file.errorString()));
    const QByteArray raw = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError(msgText(Msg::FileNotReadable).arg(shown(path), file.errorString()));
    const QString text = decodeText(raw);
    const QString name = QFileInfo(path).fileName();

    CallbookImportResult result;
    CallbookDatabase::Builder builder;
    QHash<std::uint64_t, qsizetype> lineOf;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype number = i + 1;
        const QString& line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.split(u';');
        if (i == 0 && fields.size() > 1 && fields[0].trimmed().compare(QStringLiteral("CALL"), Qt::CaseInsensitive) == 0 &&
            fields[1].trimmed().compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0)
            continue;
        if (fields.size() > 7)
            throw IoError(msgText(Msg::CallbookTooManyFields).arg(shown(path)).arg(number).arg(fields.size()));
        const QString callText = fields[0].trimmed();
        const QByteArray call = Codepage::encode(callText);
        if (!isCallsign(call) || !Codepage::holds(callText))
            throw IoError(msgText(Msg::CallbookBadCall).arg(shown(path)).arg(number).arg(callText));
        if (!Codepage::holds(line))
            result.notes << msgText(Msg::CallbookNotWindows1252).arg(name).arg(number);
        auto at = [&](qsizetype f) { return Codepage::encode(fields.value(f)); };
        bool cut = false;
        const QByteArray entry = entryText(call, at(1), at(2), at(3), at(4), at(5), at(6), &cut);
        if (cut)
            result.notes << msgText(Msg::CallbookEntryCut).arg(name).arg(number).arg(callText);
        const std::uint64_t key = CallbookDatabase::packKey(call.constData(), std::size_t(call.size()));
        const auto seen = lineOf.constFind(key);
        if (seen != lineOf.constEnd())
            result.notes << msgText(Msg::CallbookDuplicateCall).arg(name).arg(number).arg(callText).arg(*seen);
        lineOf[key] = number;
        builder.add(key, entry);
    }
    result.replaced = builder.write(database);
    result.written = builder.size() - result.replaced;
    return result;
}

} // namespace CallbookImport
