#pragma once

#include <QByteArray>
#include <QString>

// Files written by other programs come as UTF-8 or as 8-bit Windows text,
// rarely saying which. A file is taken as UTF-8 when it starts with the
// UTF-8 byte order mark or when its bytes above 127 all form valid UTF-8
// sequences (which 8-bit text with umlauts practically never does);
// otherwise as Windows-1252, the character set of the program's own files.
namespace ForeignText {

struct Encoding {
    bool utf8 = false;
    qsizetype start = 0; // first byte after a byte order mark
};

Encoding detect(const QByteArray& bytes);
QString decode(const char* data, qsizetype size, bool utf8);
inline QString decode(const QByteArray& bytes) {
    const Encoding e = detect(bytes);
    return decode(bytes.constData() + e.start, bytes.size() - e.start, e.utf8);
}

// One field of a file whose parts may differ: a UTF-8 file with one value
// pasted from a Windows program. Valid UTF-8 is read as UTF-8, anything else
// as Windows-1252; one stray byte costs only its own field.
QString decodeField(const char* data, qsizetype size);

// A file in UTF-16 (with its byte order mark) as the same text in UTF-8 with
// its byte order mark; other files unchanged. ADIF lengths can then be read
// as in any other file.
QByteArray utf16AsUtf8(const QByteArray& bytes);

// Length in bytes of the UTF-8 sequence that starts with this byte (1 for a
// byte that cannot start one, so that a scan always advances).
int utf8SequenceLength(unsigned char lead);

} // namespace ForeignText
