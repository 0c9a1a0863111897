#include "logstore/QsoRecord.h"

namespace {
const QString kBreak = QStringLiteral("#13#10");
}

QString QsoRecord::displayField(int field) const {
    const QString& v = (*this)[field];
    return field == Comments ? lineBreaksAsBlanks(v) : v;
}

QString QsoRecord::stripSeparators(const QString& text) {
    if (!text.contains(u';'))
        return text;
    QString out = text;
    out.remove(u';');
    return out;
}

QString QsoRecord::encodeLineBreaks(const QString& text) {
    if (!text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out += kBreak;
        } else if (c == u'\n') {
            out += kBreak;
        } else {
            out += c;
        }
    }
    return out;
}

QString QsoRecord::decodeLineBreaks(QStringView text) {
    if (!text.contains(kBreak))
        return text.toString();
    QString out = text.toString();
    out.replace(kBreak, QStringLiteral("\n"));
    return out;
}

QString QsoRecord::lineBreaksAsBlanks(QStringView text) {
    QString out = text.toString();
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(u'\n', u' ');
    out.replace(u'\r', u' ');
    return out;
}

QString QsoRecord::encodeLine() const {
    QString line;
    line.reserve(160);
    for (int f = 1; f <= FieldCount; ++f) {
        if (f > 1)
            line += u';';
        line += stripSeparators((*this)[f]);
    }
    return encodeLineBreaks(line);
}

bool QsoRecord::decodeLine(QStringView line, QsoRecord& out) {
    int field = 1;
    qsizetype start = 0;
    while (true) {
        const qsizetype sep = line.indexOf(u';', start);
        if (sep < 0)
            break;
        if (field == FieldCount)
            return false;
        out[field++] = line.sliced(start, sep - start).toString();
        start = sep + 1;
    }
    out[field++] = line.sliced(start).toString();
    for (; field <= FieldCount; ++field)
        out[field].clear();
    out[Comments] = decodeLineBreaks(out[Comments]);
    return true;
}

const QStringList& QsoRecord::headerTitles() {
    static const QStringList titles = {
        QStringLiteral("#"),       QStringLiteral("Date"),     QStringLiteral("UTC"),
        QStringLiteral("Band"),    QStringLiteral("Mode"),     QStringLiteral("Call"),
        QStringLiteral("RST TX"),  QStringLiteral("RST RX"),   QStringLiteral("DOK"),
        QStringLiteral("Name"),    QStringLiteral("QTH"),      QStringLiteral("Locator"),
        QStringLiteral("TX Pwr"),  QStringLiteral("Comments"), QStringLiteral("QSL out"),
        QStringLiteral("QSL in")};
    return titles;
}

const QStringList& QsoRecord::gridTitles() {
    static const QStringList titles = [] {
        QStringList t = headerTitles();
        t[QslOut - 1] = QStringLiteral("QSL Out");
        t[QslIn - 1] = QStringLiteral("QSL In");
        return t;
    }();
    return titles;
}

const QString& QsoRecord::headerLine() {
    static const QString line = headerTitles().join(u';');
    return line;
}
