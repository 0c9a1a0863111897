#include "converter/ForeignText.h"

#include "logstore/Codepage.h"

#include <QString>

namespace ForeignText {

int utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 1;
}

namespace {

// True when every byte above 127 belongs to a well-formed UTF-8 sequence;
// high tells whether there is any. Stops at the first bad byte, so 8-bit
// text is recognised after its first umlaut.
bool isUtf8(const char* data, qsizetype n, bool& high) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    high = false;
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        const int len = utf8SequenceLength(b);
        if (len == 1 || i + len > n)
            return false;
        for (int k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        }
        // Overlong three- and four-byte forms and surrogates are not UTF-8.
        if ((b == 0xE0 && p[i + 1] < 0xA0) || (b == 0xED && p[i + 1] >= 0xA0) ||
            (b == 0xF0 && p[i + 1] < 0x90) || (b == 0xF4 && p[i + 1] >= 0x90))
            return false;
        high = true;
        i += len;
    }
    return true;
}

} // namespace

Encoding detect(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {true, 3};
    bool high = false;
    return {isUtf8(bytes.constData(), bytes.size(), high) && high, 0};
}

QString decodeField(const char* data, qsizetype size) {
    bool high = false;
    return decode(data, size, isUtf8(data, size, high));
}

QByteArray utf16AsUtf8(const QByteArray& bytes) {
    const bool le = bytes.startsWith("\xFF\xFE");
    const bool be = bytes.startsWith("\xFE\xFF");
    if (!le && !be)
        return bytes;
    QString text;
    const qsizetype units = (bytes.size() - 2) / 2;
    text.resize(units);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + 2);
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned a = p[2 * i];
        const unsigned b = p[2 * i + 1];
        text[i] = QChar(char16_t(le ? (b << 8 | a) : (a << 8 | b)));
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString decode(const char* data, qsizetype size, bool utf8) {
    return utf8 ? QString::fromUtf8(data, size) : Codepage::decode(data, size);
}

} // namespace ForeignText
