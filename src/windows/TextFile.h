#pragma once

#include <QByteArray>
#include <QString>

// Plain text files as the text editor window reads and writes them. Lines in
// the program end in "\n"; in the file every line ends in CR LF.
namespace TextFile {

// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark is
// dropped), else Windows-1252, the program's own 8-bit text. One line end at
// the very end closes the last line rather than starting an empty one.
QString decode(const QByteArray& bytes);
// Windows-1252 (a character it cannot hold becomes '?'), CR LF after every line.
QByteArray encode(const QString& text);

// Throw IoError naming the file and the reason; a failed write leaves an
// existing file as it was.
QString read(const QString& path);
void write(const QString& path, const QString& text);

} // namespace TextFile
