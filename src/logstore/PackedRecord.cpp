#include "logstore/PackedRecord.h"

bool PackedRecord::fromLine(const QString& line, PackedRecord& out) {
    out.m_line = line;
    int field = 0;
    out.m_start[0] = 0;
    const qsizetype n = line.size();
    const QChar* data = line.constData();
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i] == u';') {
            if (++field == QsoRecord::FieldCount)
                return false;
            out.m_start[static_cast<std::size_t>(field)] = static_cast<quint32>(i + 1);
        }
    }
    // Fields the line does not reach are empty: they start past the end.
    for (int f = field + 1; f <= QsoRecord::FieldCount; ++f)
        out.m_start[static_cast<std::size_t>(f)] = static_cast<quint32>(n + 1);
    return true;
}

PackedRecord PackedRecord::fromRecord(const QsoRecord& record) {
    PackedRecord p;
    fromLine(record.encodeLine(), p); // an encoded line never has too many separators
    return p;
}

QStringView PackedRecord::rawField(int field) const {
    const auto i = static_cast<std::size_t>(field - 1);
    const qsizetype begin = m_start[i];
    const qsizetype end = static_cast<qsizetype>(m_start[i + 1]) - 1;
    if (begin >= end)
        return {};
    return QStringView(m_line).sliced(begin, end - begin);
}

QString PackedRecord::field(int field) const {
    const QStringView v = rawField(field);
    return field == QsoRecord::Comments ? QsoRecord::decodeLineBreaks(v) : v.toString();
}

QString PackedRecord::displayField(int field) const {
    const QStringView v = rawField(field);
    if (field != QsoRecord::Comments)
        return v.toString();
    QString s = v.toString();
    s.replace(QStringLiteral("#13#10"), QStringLiteral(" "));
    return s;
}

QsoRecord PackedRecord::toRecord() const {
    QsoRecord r;
    for (int f = 1; f <= QsoRecord::FieldCount; ++f)
        r[f] = field(f);
    return r;
}
