// Log files: the reading loop of LogFile over the input as a log, each
// record repaired as Normalize repairs it, and every line through the
// decoders the list model uses.
#include "FuzzSupport.h"

#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "logstore/PackedRecord.h"
#include "logstore/QsoRecord.h"

#include <QDateTime>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QDateTime now(QDate(2024, 5, 1), QTime(12, 0));
    const QString path = FuzzSupport::writeFile(QStringLiteral("fuzz.log"), data, size);
    try {
        LogFile log(path);
        log.OpenForRead();
        QsoRecord record;
        int number = 0;
        while (log.ReadNext(record)) {
            // A record read back from its own line is the same record: what
            // the program writes it reads again unchanged.
            QsoRecord again;
            VESK_FUZZ_CHECK(QsoRecord::decodeLine(record.encodeLine(), again));
            VESK_FUZZ_CHECK(again == record);
            VESK_FUZZ_CHECK(PackedRecord::fromRecord(record).toRecord() == record);
            LogFile::NormalizeRecord(record, ++number, now);
        }
        log.CloseFile();
        (void)log.incompleteLineText();
    } catch (const IoError&) {
    }

    for (const QString& line : FuzzSupport::lines(data, size)) {
        QsoRecord record;
        if (!QsoRecord::decodeLine(line, record))
            continue;
        PackedRecord packed;
        VESK_FUZZ_CHECK(PackedRecord::fromLine(line, packed));
        for (int field = 1; field <= QsoRecord::FieldCount; ++field)
            VESK_FUZZ_CHECK(packed.field(field) == record[field]);
    }
    return 0;
}
