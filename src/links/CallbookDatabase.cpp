#include "links/CallbookDatabase.h"

#include "logstore/AtomicFile.h"

#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CallbookDatabase {

namespace {

constexpr char kMagic[8] = {'V', 'E', 'S', 'K', 'C', 'A', 'L', 'L'};
constexpr int kEntryHead = KeyLength + 2;

struct Header {
    quint16 version = 0;
    quint16 keyLength = 0;
    quint32 blockSize = 0;
    quint32 blocks = 0;
    quint32 entries = 0;
    quint64 indexOffset = 0;
    quint64 fileSize = 0;
};

Header readHeader(const unsigned char* p) {
    Header h;
    h.version = qFromLittleEndian<quint16>(p + 8);
    h.keyLength = qFromLittleEndian<quint16>(p + 10);
    h.blockSize = qFromLittleEndian<quint32>(p + 12);
    h.blocks = qFromLittleEndian<quint32>(p + 16);
    h.entries = qFromLittleEndian<quint32>(p + 20);
    h.indexOffset = qFromLittleEndian<quint64>(p + 24);
    h.fileSize = qFromLittleEndian<quint64>(p + 32);
    return h;
}

QByteArray headerBytes(quint32 blocks, quint32 entries) {
    QByteArray b(BlockSize, '\0');
    auto* p = reinterpret_cast<unsigned char*>(b.data());
    std::memcpy(p, kMagic, sizeof kMagic);
    qToLittleEndian<quint16>(FormatVersion, p + 8);
    qToLittleEndian<quint16>(KeyLength, p + 10);
    qToLittleEndian<quint32>(BlockSize, p + 12);
    qToLittleEndian<quint32>(blocks, p + 16);
    qToLittleEndian<quint32>(entries, p + 20);
    const quint64 indexOffset = quint64(BlockSize) * (quint64(blocks) + 1);
    qToLittleEndian<quint64>(indexOffset, p + 24);
    qToLittleEndian<quint64>(indexOffset + 8 * quint64(blocks), p + 32);
    return b;
}

std::uint64_t keyAt(const unsigned char* p) {
    std::uint64_t k = 0;
    for (int i = 0; i < KeyLength; ++i)
        k = (k << 8) | p[i];
    return k << 8;
}

// The database file of a folder, opened and mapped for one lookup or check.
// Everything read from it is checked against its size, so that a damaged
// file gives a code, never a read beyond the mapping.
class MappedDatabase {
public:
    MappedDatabase() = default;
    MappedDatabase(const MappedDatabase&) = delete;
    MappedDatabase& operator=(const MappedDatabase&) = delete;
    ~MappedDatabase() {
        if (m_data != nullptr)
            munmap(const_cast<unsigned char*>(m_data), m_size);
        if (m_fd >= 0)
            ::close(m_fd);
    }

    // Found when the file is there and its header is in order.
    qint16 open(const char* folder) {
        std::string path(folder);
        if (path.empty())
            return FolderMissing;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return FolderMissing;
        if (path.back() != '/')
            path += '/';
        path += fileName().toStdString();
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) {
            if (errno == ENOENT)
                return DatabaseMissing;
            if (errno == EACCES || errno == EPERM)
                return AccessDenied;
            return OpenFailed;
        }
        if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))
            return OpenFailed;
        m_size = static_cast<std::size_t>(st.st_size);
        if (m_size < std::size_t(HeaderSize))
            return m_size < sizeof kMagic ? qint16(ReadFailed) : checkMagicOnly();
        void* mapped = mmap(nullptr, m_size, PROT_READ, MAP_SHARED, m_fd, 0);
        if (mapped == MAP_FAILED)
            return ReadFailed;
        m_data = static_cast<const unsigned char*>(mapped);
        if (std::memcmp(m_data, kMagic, sizeof kMagic) != 0)
            return WrongFormat;
        m_header = readHeader(m_data);
        if (m_header.version != FormatVersion || m_header.keyLength != KeyLength ||
            m_header.blockSize != quint32(BlockSize) || m_header.blocks == 0 ||
            m_header.indexOffset != quint64(BlockSize) * (quint64(m_header.blocks) + 1) ||
            m_header.fileSize != m_header.indexOffset + 8 * quint64(m_header.blocks))
            return WrongFormat;
        if (m_header.fileSize > m_size)
            return ReadFailed;
        if (m_header.fileSize < m_size)
            return WrongFormat;
        return Found;
    }

    const Header& header() const { return m_header; }
    std::uint64_t indexKey(quint32 block) const {
        return qFromBigEndian<quint64>(m_data + m_header.indexOffset + 8 * quint64(block));
    }
    const unsigned char* block(quint32 block) const { return m_data + quint64(BlockSize) * (quint64(block) + 1); }

private:
    // A file too short for a header: wrong format unless it starts like a
    // database, which then was cut off.
    qint16 checkMagicOnly() const {
        char head[sizeof kMagic];
        if (::pread(m_fd, head, sizeof head, 0) != qint64(sizeof head))
            return ReadFailed;
        return std::memcmp(head, kMagic, sizeof kMagic) == 0 ? ReadFailed : WrongFormat;
    }

    int m_fd = -1;
    const unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
    Header m_header;
};

// Walks one data block: calls visit(key, text, length) for each entry until
// it returns true. Returns DamagedData when an entry leaves the block or is
// too long, Found otherwise.
template <typename Visit> qint16 walkBlock(const unsigned char* block, Visit visit) {
    const quint16 count = qFromLittleEndian<quint16>(block);
    int at = 2;
    for (quint16 i = 0; i < count; ++i) {
        if (at + kEntryHead > BlockSize)
            return DamagedData;
        const std::uint64_t key = keyAt(block + at);
        const quint16 length = qFromLittleEndian<quint16>(block + at + KeyLength);
        at += kEntryHead;
        if (length > MaxTextLength || at + length > BlockSize)
            return DamagedData;
        if (visit(key, block + at, length))
            return Found;
        at += length;
    }
    return Found;
}

} // namespace

QString fileName() { return QStringLiteral("Callbook.vcb"); }

std::uint64_t packKey(const char* key, std::size_t length) {
    unsigned char bytes[KeyLength] = {};
    for (std::size_t i = 0; i < length && i < std::size_t(KeyLength); ++i) {
        unsigned char c = static_cast<unsigned char>(key[i]);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c - 'A' + 'a');
        bytes[i] = c;
    }
    return keyAt(bytes);
}

QByteArray keyText(std::uint64_t packed) {
    QByteArray out;
    for (int shift = 56; shift > 0; shift -= 8) {
        const char c = static_cast<char>((packed >> shift) & 0xff);
        if (c == '\0')
            break;
        out += c;
    }
    return out;
}

void Builder::add(std::uint64_t key, const QByteArray& text) {
    const auto length = static_cast<std::uint16_t>(std::min<qsizetype>(text.size(), MaxTextLength));
    m_entries.push_back({key, static_cast<std::uint32_t>(m_texts.size()), length,
                         static_cast<std::uint32_t>(m_entries.size())});
    m_texts.append(text.constData(), length);
}

void Builder::reserve(std::size_t entries, qsizetype textBytes) {
    m_entries.reserve(entries);
    m_texts.reserve(textBytes);
}

qsizetype Builder::write(const QString& path) {
    // Ties keep the order of adding, so that the last of equal keys is the
    // one that stays.
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        return a.key != b.key ? a.key < b.key : a.order < b.order;
    });
    std::vector<Entry> unique;
    unique.reserve(m_entries.size());
    for (const Entry& e : m_entries) {
        if (!unique.empty() && unique.back().key == e.key)
            unique.back() = e;
        else
            unique.push_back(e);
    }
    const qsizetype replaced = static_cast<qsizetype>(m_entries.size() - unique.size());

    // The header's counts are known only when the blocks are laid out, and
    // the file is written front to back: the blocks wait in memory.
    QByteArray index;
    QByteArray blocks;
    blocks.reserve((m_texts.size() + qsizetype(unique.size()) * kEntryHead) * 9 / 8 + BlockSize);
    constexpr qsizetype kBatch = 256 * BlockSize;
    AtomicFile file(path);
    file.open();
    quint32 blockCount = 0;
    QByteArray block(BlockSize, '\0');
    int at = 2;
    quint16 inBlock = 0;
    auto closeBlock = [&] {
        qToLittleEndian<quint16>(inBlock, block.data());
        blocks += block;
        block.fill('\0');
        at = 2;
        inBlock = 0;
        ++blockCount;
    };
    for (const Entry& e : unique) {
        if (at + kEntryHead + e.length > BlockSize)
            closeBlock();
        if (inBlock == 0) {
            char key[8];
            qToBigEndian<quint64>(e.key, key);
            index.append(key, 8);
        }
        auto* p = reinterpret_cast<unsigned char*>(block.data()) + at;
        for (int i = 0; i < KeyLength; ++i)
            p[i] = static_cast<unsigned char>((e.key >> (56 - 8 * i)) & 0xff);
        qToLittleEndian<quint16>(e.length, p + KeyLength);
        std::memcpy(p + kEntryHead, m_texts.constData() + e.offset, e.length);
        at += kEntryHead + e.length;
        ++inBlock;
    }
    if (inBlock > 0 || blockCount == 0) {
        // An empty database still has one (empty) block, so that the
        // index is never empty.
        if (inBlock == 0)
            index.append(8, '\0');
        closeBlock();
    }
    file.write(headerBytes(blockCount, static_cast<quint32>(unique.size())));
    for (qsizetype from = 0; from < blocks.size(); from += kBatch)
        file.write(blocks.mid(from, kBatch));
    file.write(index);
    file.commit();
    return replaced;
}

} // namespace CallbookDatabase

using namespace CallbookDatabase;

void pGetCallInfo(qint16* result, char* buffer, const char* call, const char* folder) {
    if (result == nullptr)
        return;
    if (buffer == nullptr || call == nullptr || folder == nullptr) {
        *result = InvalidArgument;
        return;
    }
    buffer[0] = '\0';
    MappedDatabase db;
    const qint16 opened = db.open(folder);
    if (opened != Found) {
        *result = opened;
        return;
    }
    const std::size_t length = std::strlen(call);
    if (length == 0) {
        *result = NotFound;
        return;
    }
    const std::uint64_t key = packKey(call, length);
    // The last block whose first key is not above the key holds it, if any.
    quint32 low = 0;
    quint32 high = db.header().blocks;
    while (high - low > 1) {
        const quint32 mid = low + (high - low) / 2;
        if (db.indexKey(mid) <= key)
            low = mid;
        else
            high = mid;
    }
    bool found = false;
    const qint16 walked = walkBlock(db.block(low), [&](std::uint64_t k, const unsigned char* text, quint16 n) {
        if (k != key)
            return k > key;
        std::memcpy(buffer, text, n);
        buffer[n] = '\0';
        found = true;
        return true;
    });
    if (walked != Found) {
        buffer[0] = '\0';
        *result = walked;
        return;
    }
    *result = found ? Found : NotFound;
}

void pGetVersionNr(quint16* version) {
    if (version != nullptr)
        *version = FormatVersion;
}

void pCheckDatabaseFormat(qint16* status, qint16* flag, const char* folder) {
    if (status == nullptr || flag == nullptr)
        return;
    *flag = 0;
    if (folder == nullptr) {
        *status = InvalidArgument;
        return;
    }
    MappedDatabase db;
    const qint16 opened = db.open(folder);
    if (opened == WrongFormat) {
        *status = 0;
        *flag = 1;
        return;
    }
    if (opened != Found) {
        *status = opened;
        return;
    }
    // Every block in bounds, every key above the one before, every block's
    // first key in the index, and as many entries as the header says.
    quint64 entries = 0;
    std::uint64_t previous = 0;
    bool sorted = true;
    for (quint32 b = 0; b < db.header().blocks && sorted; ++b) {
        bool first = true;
        const qint16 walked = walkBlock(db.block(b), [&](std::uint64_t k, const unsigned char* text, quint16 n) {
            if (first && k != db.indexKey(b))
                sorted = false;
            if ((entries > 0 && k <= previous) || k == 0 || std::memchr(text, 0, n) != nullptr)
                sorted = false;
            first = false;
            previous = k;
            ++entries;
            return !sorted;
        });
        if (walked != Found)
            sorted = false;
    }
    *status = 0;
    *flag = (sorted && entries == db.header().entries) ? 0 : 1;
}
