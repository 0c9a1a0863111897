// Writes the callbook seeds with the database's own writer: a database of a
// few entries in one block and one of two blocks. Run by hand when the
// file format changes: make_callbook_seed <folder>.
#include "links/CallbookDatabase.h"
#include "logstore/IoError.h"

#include <QDir>
#include <cstdio>

namespace {

QByteArray entry(const char* call, const char* nameAddress) {
    return QByteArray("\x01") + call + "\x02" + nameAddress + "\x07" + "A";
}

void add(CallbookDatabase::Builder& builder, const QByteArray& call, const QByteArray& text) {
    const QByteArray key = call.toLower();
    builder.add(CallbookDatabase::packKey(key.constData(), std::size_t(key.size())), text);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "make_callbook_seed <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    try {
        CallbookDatabase::Builder small;
        add(small, "DL1ABC", entry("DL1ABC", "Hans Muster, Hauptstr. 1, 10115 Berlin"));
        add(small, "K1XYZ", entry("K1XYZ", "John Doe, 1 Main St, Boston MA") + "\x18" + "k1xyz@example.com");
        add(small, "A", entry("A", "x"));
        small.write(folder + QStringLiteral("/small.vcb"));

        // Enough entries for a second data block, so that the index has two keys.
        CallbookDatabase::Builder twoBlocks;
        for (int i = 0; i < 40; ++i) {
            const QByteArray call = "DK" + QByteArray::number(i % 10) + QByteArray(1, char('A' + i / 10)) + "BC";
            add(twoBlocks, call, entry(call.constData(), QByteArray(90, 'n').constData()) + "\x16" + "QSL via Buero");
        }
        twoBlocks.write(folder + QStringLiteral("/two-blocks.vcb"));
    } catch (const IoError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
