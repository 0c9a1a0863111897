// The callbook database: the input as the folder's Callbook.vcb, checked
// as a whole and looked up, with the keys the file itself names and a few
// it may not hold.
#include "FuzzSupport.h"

#include "links/CallbookDatabase.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

namespace {

void lookUp(const QByteArray& folder, const QByteArray& call) {
    qint16 result = -99;
    char buffer[CallbookDatabase::BufferSize];
    std::memset(buffer, 'x', sizeof buffer);
    pGetCallInfo(&result, buffer, call.constData(), folder.constData());
    // The text ends inside the buffer whatever the file holds; an empty one
    // when nothing was found.
    VESK_FUZZ_CHECK(std::memchr(buffer, 0, sizeof buffer) != nullptr);
    VESK_FUZZ_CHECK(result == CallbookDatabase::Found || buffer[0] == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSupport::writeFile(CallbookDatabase::fileName(), data, size);
    const QByteArray folder = FuzzSupport::folder().toLocal8Bit();
    qint16 status = -99;
    qint16 flag = -99;
    pCheckDatabaseFormat(&status, &flag, folder.constData());
    VESK_FUZZ_CHECK(flag == 0 || flag == 1);
    VESK_FUZZ_CHECK(status == 0 || flag == 0);

    const QByteArray bytes = FuzzSupport::bytes(data, size);
    QList<QByteArray> calls = {"dl1abc", "k1xyz", "", "zzzzzzz", "a"};
    // The first key of the first block, and the keys the index names.
    const qsizetype block = CallbookDatabase::BlockSize;
    if (bytes.size() >= block + 2 + CallbookDatabase::KeyLength)
        calls << bytes.mid(block + 2, CallbookDatabase::KeyLength);
    for (qsizetype at = 2 * block; at + 8 <= bytes.size() && calls.size() < 12; at += 8)
        calls << bytes.mid(at, 7);
    for (QByteArray call : calls) {
        call.truncate(qMax<qsizetype>(0, call.indexOf('\0') < 0 ? call.size() : call.indexOf('\0')));
        lookUp(folder, call);
    }
    return 0;
}
