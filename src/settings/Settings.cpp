#include "settings/Settings.h"

#include "platform/ProgramTexts.h"
#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/GermanNumber.h"
#include "logstore/IoError.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace {
bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
} // namespace

bool Settings::load(QString* error) {
    m_sections.clear();
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
    parse(Codepage::decode(bytes));
    return true;
}

void Settings::parse(const QString& text) {
    Section* current = nullptr;
    const auto lines = QStringView(text).split(u'\n');
    for (QStringView raw : lines) {
        const QStringView line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.sliced(1, line.size() - 2).trimmed().toString();
            current = const_cast<Section*>(findSection(name));
            if (!current) {
                m_sections.push_back({name, {}});
                current = &m_sections.back();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq <= 0)
            continue; // no section yet, or not a key line: nothing to keep
        const QString key = line.first(eq).trimmed().toString();
        if (key.isEmpty())
            continue;
        bool known = false;
        for (const Entry& e : current->entries)
            known = known || sameName(e.key, key);
        if (!known) // the first of two equal keys counts, as everywhere else
            current->entries.push_back({key, line.sliced(eq + 1).trimmed().toString()});
    }
}

const Settings::Section* Settings::findSection(const QString& name) const {
    for (const Section& s : m_sections) {
        if (sameName(s.name, name))
            return &s;
    }
    return nullptr;
}

const Settings::Entry* Settings::find(const QString& section, const QString& key) const {
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    for (const Entry& e : s->entries) {
        if (sameName(e.key, key))
            return &e;
    }
    return nullptr;
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
    Section* s = const_cast<Section*>(findSection(section));
    if (!s) {
        m_sections.push_back({section, {}});
        s = &m_sections.back();
    }
    for (Entry& e : s->entries) {
        if (sameName(e.key, key)) {
            e.value = value;
            return;
        }
    }
    s->entries.push_back({key, value});
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
