// ADIF files: the reader over the input as an .adi file, the fields applied
// as the import applies them, and every complete record exported and read
// back: a second export of what was read must give the same bytes.
#include "FuzzSupport.h"

#include "converter/AdifFormat.h"
#include "converter/AdifReader.h"
#include "converter/ForeignText.h"

#include <QDateTime>

namespace {

QsoRecord readBack(const QByteArray& bytes, int& records) {
    AdifReader reader(bytes, QStringLiteral("again.adi"), Adif::fieldNames());
    AdifReader::Record in;
    QsoRecord record;
    records = 0;
    while (reader.next(in)) {
        ++records;
        record = QsoRecord();
        for (const AdifReader::Field& field : std::as_const(in.fields))
            Adif::applyField(record, field.index, field.value);
        Adif::finishRecord(record);
    }
    return record;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QDateTime now(QDate(2024, 5, 1), QTime(12, 0));
    const QByteArray bytes = ForeignText::utf16AsUtf8(FuzzSupport::bytes(data, size));
    AdifReader reader(bytes, QStringLiteral("fuzz.adi"), Adif::fieldNames());
    AdifReader::Record in;
    int lastNumber = 0;
    while (reader.next(in)) {
        VESK_FUZZ_CHECK(in.number > lastNumber);
        VESK_FUZZ_CHECK(reader.position() <= reader.size());
        lastNumber = in.number;
        QsoRecord record;
        for (const AdifReader::Field& field : std::as_const(in.fields)) {
            VESK_FUZZ_CHECK(field.index >= 0 && field.index < Adif::fieldNames().size());
            Adif::applyField(record, field.index, field.value);
        }
        Adif::finishRecord(record);
        if (!Adif::isComplete(record))
            continue;
        QByteArray exported;
        Adif::appendRecord(exported, record, now);
        int records = 0;
        const QsoRecord again = readBack(exported, records);
        VESK_FUZZ_CHECK(records == 1);
        QByteArray second;
        Adif::appendRecord(second, again, now);
        VESK_FUZZ_CHECK(second == exported);
    }
    (void)reader.notes();
    return 0;
}
