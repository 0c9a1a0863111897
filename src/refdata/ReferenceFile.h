#pragma once

#include "logstore/FileStamp.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace ReferenceFile {

// "file", Zeile n: text - the form of every complaint about a table line.
QString lineMessage(const QString& fileName, int line, const QString& text);

// Reads the whole file as Windows-1252 text. A missing file gives true and an
// empty text (the tables treat it as empty); an unreadable one gives false
// and a message naming the file.
bool read(const QString& fileName, QString* text, QString* error);

// Splits text into lines at LF, dropping a CR before it.
QStringList lines(const QString& text);

} // namespace ReferenceFile

// A settings-style file read for lookups: sections in brackets, key=value
// lines, blank lines and ";" comments ignored, section and key names without
// regard to letter case, the first of two equal keys in force - the same
// reading as Settings, but hashed for tables of tens of thousands of keys, and
// every line it cannot use is reported with its number.
class ReferenceIni {
public:
    struct Value {
        QString text;
        int line = 0;
    };

    void parse(const QString& text, const QString& fileName);
    void clear();

    const Value* find(const QString& section, const QString& key) const;
    // Every key of a section with its value, in no particular order.
    const QHash<QString, Value>* section(const QString& name) const;
    bool hasSection(const QString& name) const;

    const QStringList& problems() const { return m_problems; }

    // The folded form in which names are compared.
    static QString fold(const QString& name) { return name.toCaseFolded(); }

private:
    QHash<QString, QHash<QString, Value>> m_sections;
    QStringList m_problems;
};

// Keeps problem lists readable when a file is garbage from top to bottom.
void appendProblem(QStringList& problems, const QString& message);
