#include "converter/TextTable.h"

TextTable::TextTable() {
    const QStringList& labels = QsoRecord::headerTitles();
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        m_widths[std::size_t(f - 1)] = int(labels[f - 1].size()) + 1;
}

QString TextTable::cellText(const QsoRecord& record, int field) {
    const QString& text = record[field];
    if (!text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\r', u'\n');
    out.replace(QStringLiteral("\n"), QStringLiteral(" + "));
    return out;
}

void TextTable::measure(const QsoRecord& record) {
    for (int f = 1; f <= QsoRecord::FieldCount; ++f) {
        int& w = m_widths[std::size_t(f - 1)];
        const int needed = int(cellText(record, f).size()) + 1;
        w = qMax(w, needed);
    }
}

int TextTable::totalWidth() const {
    int total = 0;
    for (int w : m_widths)
        total += w;
    return total;
}

void TextTable::appendPadded(QString& out, const QString& text, int field) const {
    out += text;
    const qsizetype pad = width(field) - text.size();
    if (pad > 0)
        out += QString(pad, u' ');
}

QString TextTable::headingLines() const {
    QString out;
    const QStringList& labels = QsoRecord::headerTitles();
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        appendPadded(out, labels[f - 1], f);
    out += QStringLiteral("\r\n");
    out += QString(totalWidth(), u'~');
    out += QStringLiteral("\r\n");
    return out;
}

void TextTable::appendLine(QString& out, const QsoRecord& record) const {
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        appendPadded(out, cellText(record, f), f);
    out += QStringLiteral("\r\n");
}

QString TextTable::creditLines(const QString& creditText) const {
    const qsizetype indent = qMax<qsizetype>(0, totalWidth() - creditText.size());
    return QStringLiteral("\r\n") + QString(indent, u' ') + creditText + QStringLiteral("\r\n");
}
