#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>

// What the fuzz targets share: the application object some parsers need
// (text codecs, the program folder), a folder of their own for parsers
// that only read files, and ways to cut one input into several.
namespace FuzzSupport {

// Creates the QCoreApplication once and silences Qt's warnings, which a
// million odd inputs would otherwise print.
void start();

// A folder that lives as long as the process.
QString folder();

// Writes the input to name inside folder() and returns its path.
QString writeFile(const QString& name, const std::uint8_t* data, std::size_t size);

inline QByteArray bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The input as Windows-1252 text (every byte a character), cut at line feeds.
QStringList lines(const std::uint8_t* data, std::size_t size);

// The input as text, the way the program reads a typed or pasted value:
// UTF-8 where valid, else byte by byte.
QString text(const std::uint8_t* data, std::size_t size);

} // namespace FuzzSupport

// A property every input must keep (a round trip, a bound); a broken one is
// a finding, reported like a crash.
#define VESK_FUZZ_CHECK(condition)                                                                       \
    do {                                                                                                  \
        if (!(condition)) {                                                                               \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            std::abort();                                                                                 \
        }                                                                                                 \
    } while (0)
