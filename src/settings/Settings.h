#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The settings file "Vesk.ini" held in memory: sections of key=value lines,
// names compared without regard to letter case, sections and keys kept in
// the order they were first met. Reading never adds a key.
class Settings {
public:
    Settings() = default;
    explicit Settings(const QString& fileName) : m_fileName(fileName) {}

    // Loads the file. A missing file gives empty settings and true. A file
    // that exists but cannot be read, or is no 8-bit text (UTF-16, NUL
    // bytes), gives empty settings, false and the reason; such settings
    // refuse to overwrite the file (see save()).
    bool load(QString* error = nullptr);
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    const QString& fileName() const { return m_fileName; }

    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    int readInteger(const QString& section, const QString& key, int def) const;
    bool readBool(const QString& section, const QString& key, bool def) const;
    double readFloat(const QString& section, const QString& key, double def) const;
    bool contains(const QString& section, const QString& key) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void writeFloat(const QString& section, const QString& key, double value);

    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // The whole file as it would be written: Windows-1252, CR LF.
    QByteArray serialize() const;
    // Replaces the file atomically. Throws IoError; the settings in memory
    // stay valid either way.
    void save() const;

    // "#13#10" stands for a line break in the one multi-line value.
    static QString encodeMultiLine(const QString& text);
    static QString decodeMultiLine(const QString& text);

    static std::optional<int> parseInteger(const QString& text);

private:
    struct Entry {
        QString key;
        QString value;
    };
    // Names are looked up through their case-folded form, so that a file of
    // many sections or keys is read in linear time.
    struct Section {
        QString name;
        QVector<Entry> entries;
        QHash<QString, qsizetype> keyIndex;
    };
    const Section* findSection(const QString& name) const;
    Section& sectionFor(const QString& name);
    const Entry* find(const QString& section, const QString& key) const;
    static void add(Section& section, const QString& key, const QString& value, bool replace);
    void parse(const QString& text);

    QString m_fileName;
    QVector<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex;
    bool m_unreadable = false;
};
