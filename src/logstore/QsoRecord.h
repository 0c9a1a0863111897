#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

// One contact: 16 text fields in fixed order, addressed 1..16. Numbers, dates
// and times stay text. Inside the program a line break in Comments is "\n"
// (as Qt's text widgets produce it); in the file it is the six characters
// "#13#10".
class QsoRecord {
public:
    static constexpr int FieldCount = 16;
    enum Field {
        Number = 1,
        Date,
        Utc,
        Band,
        Mode,
        Call,
        RstTx,
        RstRx,
        Dok,
        Name,
        Qth,
        Locator,
        TxPwr,
        Comments,
        QslOut,
        QslIn
    };

    QString& operator[](int field) { return m_fields[static_cast<std::size_t>(field - 1)]; }
    const QString& operator[](int field) const { return m_fields[static_cast<std::size_t>(field - 1)]; }
    bool operator==(const QsoRecord&) const = default;

    // The field as a grid row shows it: line breaks of Comments become blanks.
    QString displayField(int field) const;

    // The line as it stands in the file, without the line end: ";" removed
    // from every field, fields joined by ";", line breaks as "#13#10".
    QString encodeLine() const;

    // Splits a file line from the left. Returns false for a line with more
    // than 15 separators, which no record can hold; out is then unspecified.
    static bool decodeLine(QStringView line, QsoRecord& out);

    static QString stripSeparators(const QString& text);
    // Every kind of line break (CR LF, LF, CR) as "#13#10", so that no field
    // can ever split a record line in two.
    static QString encodeLineBreaks(const QString& text);
    static QString decodeLineBreaks(QStringView text);
    static QString lineBreaksAsBlanks(QStringView text);

    static const QStringList& headerTitles(); // the titles of the file's header line
    static const QStringList& gridTitles();   // the same with "QSL Out" and "QSL In"
    static const QString& headerLine();

private:
    std::array<QString, FieldCount> m_fields;
};
