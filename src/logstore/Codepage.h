#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The files Vesk owns are 8-bit Windows-1252 text. Decoding happens at the
// file boundary; inside the program all text is QString.
namespace Codepage {

QString decode(const char* data, qsizetype size);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }

// A character that Windows-1252 cannot hold is written as '?'.
QByteArray encode(QStringView text);

// True when encode keeps every character (writes no '?' in place of one).
bool holds(QStringView text);

// Appends the encoded text to out (no intermediate allocation on hot paths).
void encodeAppend(QStringView text, QByteArray& out);

} // namespace Codepage
