#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// The callbook database: one file "Callbook.vcb" in the database folder,
// written by the importers (CallbookImport) and read by the three lookup
// functions below, which are all the rest of the program knows of it.
//
// File layout (integers little-endian unless said otherwise):
//
//   block 0 (4096 bytes): the header, zero-padded
//     0  8 bytes  magic "VESKCALL"
//     8  u16      format version (FormatVersion)
//    10  u16      key length (7)
//    12  u32      block size (4096)
//    16  u32      number of data blocks (n, at least 1)
//    20  u32      number of entries
//    24  u64      offset of the index (4096 * (n + 1))
//    32  u64      size of the file (index offset + 8 * n)
//   blocks 1 … n (4096 bytes each): the entries, sorted by key, none split
//     over two blocks
//     u16 number of entries in the block (at least 1), then per entry:
//     7 bytes key (zero-padded), u16 length, the entry's text (length bytes,
//     at most 500); the rest of the block is zero
//   the index: the first key of every data block, 8 bytes big-endian each
//     (key bytes then a zero), so that keys compare as integers
//
// A key is the callsign as a lookup passes it: lower case, at most seven
// characters. An entry's text is what a lookup hands out: field texts of
// Windows-1252 bytes of 32 and above, each introduced by one byte below 32,
// its field code (1 call, 2 "name, address", 7 licence class, 22 comment,
// 23 fax number, 24 e-mail).
//
// A lookup reads the header, about log2(n) index entries (a few pages of
// the index) and one data block.
namespace CallbookDatabase {

inline constexpr quint16 FormatVersion = 1;
inline constexpr int KeyLength = 7;
inline constexpr int BlockSize = 4096;
inline constexpr int HeaderSize = 64;
// The lookup's result buffer: the entry's text and its closing zero byte.
inline constexpr int BufferSize = 501;
inline constexpr int MaxTextLength = BufferSize - 1;

// The database file's name inside the database folder.
QString fileName();

// Result codes of the lookup and the format check. Their texts are the
// language texts 15 to 25 (see messageIndex in CallBookAccess).
enum Code : qint16 {
    Found = 0,
    InvalidArgument = -1,  // a null pointer was passed: "unknown error"
    OpenFailed = -2,       // the file exists but cannot be opened (not a plain file, I/O error)
    WrongFormat = -3,      // not a callbook database of this format version, or its header is inconsistent
    ReadFailed = -4,       // the file is shorter than its header says, or reading it failed
    DatabaseMissing = -5,  // the folder holds no Callbook.vcb
    FolderMissing = 3,     // the database folder does not exist
    AccessDenied = 5,      // no permission to read the file
    DamagedData = 1101,    // a data block ends inside an entry, or an entry is longer than 500 bytes
    NotFound = 32000,      // the callsign has no entry
};

// The key of a callsign's bytes: its first seven bytes with ASCII letters
// in lower case, packed big-endian so that integer order is byte order.
std::uint64_t packKey(const char* key, std::size_t length);
QByteArray keyText(std::uint64_t packed);

// Collects the entries of a new database and writes it. Adding is cheap
// (one arena of texts); write() sorts. Of several entries with one key the
// one added last is kept.
class Builder {
public:
    // text: the field-coded entry text, at most MaxTextLength bytes and
    // without zero bytes (the importers make sure of both).
    void add(std::uint64_t key, const QByteArray& text);
    qsizetype size() const { return static_cast<qsizetype>(m_entries.size()); }
    void reserve(std::size_t entries, qsizetype textBytes);

    // Writes the database atomically (temporary file + rename); throws
    // IoError. Returns how many entries were replaced by a later one of the
    // same key.
    qsizetype write(const QString& path);

private:
    struct Entry {
        std::uint64_t key;
        std::uint32_t offset;
        std::uint16_t length;
        std::uint32_t order;
    };
    std::vector<Entry> m_entries;
    QByteArray m_texts;
};

} // namespace CallbookDatabase

// The three functions of the callbook component. Texts are zero-terminated
// 8-bit strings; folder is the database folder (with or without a trailing
// separator, any length).
//
// pGetCallInfo: result = 0 and buffer (BufferSize bytes) holds the entry of
// call (lower case, trimmed, at most seven characters are used), ended by a
// zero byte; any other result is a Code and leaves buffer empty.
void pGetCallInfo(qint16* result, char* buffer, const char* call, const char* folder);
// pGetVersionNr: the database format version this component reads.
void pGetVersionNr(quint16* version);
// pCheckDatabaseFormat: reads the whole database. status = 0, flag = 0: in
// order; status = 0, flag = 1: the file is there but is no database of this
// format (wrong header, unsorted keys, damaged blocks); status != 0: the
// file could not be read, with the Code of the lookup (flag = 0).
void pCheckDatabaseFormat(qint16* status, qint16* flag, const char* folder);
