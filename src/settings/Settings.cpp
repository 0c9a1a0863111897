#include "settings/Settings.h"

#include "platform/ProgramTexts.h"
#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/GermanNumber.h"
#include "logstore/IoError.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <climits>
#include <optional>

namespace {
QString folded(const QString& name) { return name.toCaseFolded(); }

// Where the bytes stop being 8-bit text: the line (from 1) of the first NUL
// byte, 1 for a UTF-16 byte-order mark, 0 for text.
int lineWhereNotText(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return 1;
    const qsizetype nul = bytes.indexOf('\0');
    if (nul < 0)
        return 0;
    const auto breaks = std::count(bytes.cbegin(), bytes.cbegin() + nul, '\n');
    return int(qMin<qsizetype>(breaks + 1, INT_MAX));
}
} // namespace

bool Settings::load(QString* error) {
    m_sections.clear();
    m_sectionIndex.clear();
    m_unreadable = false;
    QFile file(m_fileName);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        m_unreadable = true;
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_unreadable = true;
        if (error)
            *error = file.errorString();
        return false;
    }
    // Written back, binary junk would come out as a large file of bogus
    // keys, and whatever the file really was would be gone.
    if (const int line = lineWhereNotText(bytes)) {
        m_unreadable = true;
        if (error)
            *error = msgText(Msg::SettingsNotText).arg(line);
        return false;
    }
    parse(Codepage::decode(bytes));
    return true;
}

void Settings::add(Section& section, const QString& key, const QString& value, bool replace) {
    const QString name = folded(key);
    const auto it = section.keyIndex.constFind(name);
    if (it == section.keyIndex.cend()) {
        section.keyIndex.insert(name, section.entries.size());
        section.entries.push_back({key, value});
    } else if (replace) {
        section.entries[*it].value = value;
    }
}

Settings::Section& Settings::sectionFor(const QString& name) {
    const QString key = folded(name);
    const auto it = m_sectionIndex.constFind(key);
    if (it != m_sectionIndex.cend())
        return m_sections[*it];
    m_sectionIndex.insert(key, m_sections.size());
    m_sections.push_back({name, {}, {}});
    return m_sections.back();
}

void Settings::parse(const QString& text) {
    Section* current = nullptr;
    const auto lines = QStringView(text).split(u'\n');
    for (QStringView raw : lines) {
        const QStringView line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = &sectionFor(line.sliced(1, line.size() - 2).trimmed().toString());
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq <= 0)
            continue; // no section yet, or not a key line: nothing to keep
        const QString key = line.first(eq).trimmed().toString();
        if (key.isEmpty())
            continue;
        // The first of two equal keys counts, as everywhere else.
        add(*current, key, line.sliced(eq + 1).trimmed().toString(), false);
    }
}

const Settings::Section* Settings::findSection(const QString& name) const {
    const auto it = m_sectionIndex.constFind(folded(name));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections[*it];
}

const Settings::Entry* Settings::find(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    const auto it = s->keyIndex.constFind(folded(key));
    return it == s->keyIndex.cend() ? nullptr : &s->entries[*it];
}

bool Settings::contains(const QString& section, const QString& key) const { return find(section, key); }

QString Settings::readString(const QString& section, const QString& key, const QString& def) const {
    const Entry* e = find(section, key);
    return e ? e->value : def;
}

std::optional<int> Settings::parseInteger(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    int v = 0;
    if (t.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        v = static_cast<int>(t.mid(2).toUInt(&ok, 16));
    else
        v = t.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

int Settings::readInteger(const QString& section, const QString& key, int def) const {
    const Entry* e = find(section, key);
    if (!e)
        return def;
    return parseInteger(e->value).value_or(def);
}

bool Settings::readBool(const QString& section, const QString& key, bool def) const {
    const Entry* e = find(section, key);
    if (!e)
        return def;
    const auto v = parseInteger(e->value);
    return v ? *v != 0 : def;
}

double Settings::readFloat(const QString& section, const QString& key, double def) const {
    const Entry* e = find(section, key);
    if (!e)
        return def;
    if (const auto v = GermanNumber::parse(e->value))
        return *v;
    // A hand-edited file may use a decimal point; nothing else reads it.
    bool ok = false;
    const double v = e->value.trimmed().toDouble(&ok);
    return ok ? v : def;
}

void Settings::writeString(const QString& section, const QString& key, const QString& value) {
    add(sectionFor(section), key, value, true);
}

void Settings::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void Settings::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void Settings::writeFloat(const QString& section, const QString& key, double value) {
    writeString(section, key, GermanNumber::format(value));
}

QStringList Settings::sections() const {
    QStringList out;
    for (const Section& s : m_sections)
        out << s.name;
    return out;
}

QStringList Settings::keys(const QString& section) const {
    QStringList out;
    if (const Section* s = findSection(section)) {
        for (const Entry& e : s->entries)
            out << e.key;
    }
    return out;
}

QByteArray Settings::serialize() const {
    QString text;
    for (const Section& s : m_sections) {
        text += u'[' + s.name + QStringLiteral("]\r\n");
        for (const Entry& e : s.entries) {
            // A value cannot span lines; a stray break would start a bogus key.
            QString value = e.value;
            value.replace(u'\r', u' ').replace(u'\n', u' ');
            text += e.key + u'=' + value + QStringLiteral("\r\n");
        }
        text += QStringLiteral("\r\n");
    }
    return Codepage::encode(text);
}

void Settings::save() const {
    if (m_unreadable) {
        throw IoError(msgText(Msg::SettingsKeptUnreadable).arg(QDir::toNativeSeparators(m_fileName)));
    }
    AtomicFile file(m_fileName);
    file.open();
    file.write(serialize());
    file.commit();
}

QString Settings::encodeMultiLine(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("#13#10"));
    out.replace(u'\n', QStringLiteral("#13#10"));
    out.replace(u'\r', QStringLiteral("#13#10"));
    return out;
}

QString Settings::decodeMultiLine(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("#13#10"), QStringLiteral("\n"));
    return out;
}
