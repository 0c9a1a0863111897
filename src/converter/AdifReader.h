#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>
#include <QStringList>

// Reads the records of an ADIF file (.adi) as the format defines them: each
// field a data specifier "<NAME:LENGTH[:TYPE]>" followed by exactly LENGTH
// bytes of value, a record ended by <EOR>, an optional header ended by <EOH>.
// Field names count in any letter case but must match whole; text between
// fields and between records is ignored, so several records may share a line.
//
// Real files bend the rules, so where a length cannot be right the reader
// gives way, and notes the place when the field is one the caller wants:
// - a specifier without a valid length, or with one that runs past the end of
//   the file, takes the text up to the next "<" as its value, without the
//   blanks and line breaks that end it;
// - a length that reaches into the next data specifier (a file whose line ends
//   were changed after the lengths were counted) ends the value before it; a
//   value that holds a whole specifier is kept when the next field follows
//   it directly;
// - a length that counts the characters of a UTF-8 value instead of its
//   bytes is taken as such when only that reading ends the value cleanly.
// Each value is decoded by itself: valid UTF-8 as UTF-8, anything else as
// Windows-1252, so that a UTF-8 file with one byte from a Windows program
// loses nothing but that byte's meaning.
// A file without <EOH> starts with its first record. A last record that the
// end of the file cuts off before its <EOR> is delivered, marked as such, when
// it holds a wanted field.
class AdifReader {
public:
    // wanted: field names in capitals whose values the caller needs; every
    // other field is read past without being decoded.
    AdifReader(const QByteArray& bytes, const QString& fileName, const QStringList& wanted);

    struct Field {
        int index; // into wanted
        QString value;
    };
    struct Record {
        QList<Field> fields; // in file order
        int number = 0;      // 1 for the first record after the header
        int line = 0;        // line of its first data specifier
        bool ended = false;  // false for a last record cut off by the end of the file
    };

    bool next(Record& record);

    bool sawHeaderEnd() const { return m_sawHeaderEnd; }
    bool sawRecordEnd() const { return m_sawRecordEnd; }
    const QStringList& notes() const { return m_notes; }
    qint64 position() const { return m_pos; }
    qint64 size() const { return m_bytes.size(); }

private:
    enum class Kind { Field, EndOfRecord, EndOfHeader };
    struct Tag {
        Kind kind = Kind::Field;
        int wanted = -1;
        qsizetype start = 0; // the '<'
        qsizetype valueStart = 0;
        qsizetype valueEnd = 0;
    };

    bool readTag(Tag& tag);
    qsizetype valueEnd(qsizetype start, qsizetype length, bool& brokenByTag) const;
    qsizetype utf8ValueEnd(qsizetype start, qsizetype length, qsizetype byteEnd) const;
    bool endsCleanly(qsizetype start, qsizetype end) const;
    bool followedCleanly(qsizetype end) const;
    qsizetype firstSpecifier(qsizetype from, qsizetype to) const;
    bool isSpecifierAt(qsizetype at) const;
    int wantedIndex(qsizetype from, qsizetype to) const;
    int lineAt(qsizetype pos);
    void note(qsizetype tagStart, qsizetype tagEnd, const QString& what);

    QByteArray m_bytes;
    QString m_fileName;
    QByteArrayList m_wanted;
    qsizetype m_pos = 0;
    int m_records = 0;
    bool m_sawHeaderEnd = false;
    bool m_sawRecordEnd = false;
    qsizetype m_linePos = 0;
    int m_line = 1;
    QStringList m_notes;
};
