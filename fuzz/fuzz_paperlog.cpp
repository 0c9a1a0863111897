// The paper-log entry: every line of the input a token typed in turn (a
// token may hold blanks: "59 57", "Hans@Bonn"); an empty line saves the
// contact when it can be saved and starts the next one, as the page does.
#include "FuzzSupport.h"

#include "entry/PaperLogEntry.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PaperLogEntry entry(2024);
    int number = 0;
    for (const QString& token : FuzzSupport::text(data, size).split(u'\n')) {
        if (token.isEmpty()) {
            if (entry.canSave()) {
                const QsoRecord saved = entry.contactToSave(QStringLiteral("599"), QStringLiteral("599"), ++number);
                VESK_FUZZ_CHECK(!saved[QsoRecord::Date].isEmpty());
                entry.startNext();
            }
            continue;
        }
        (void)PaperLogEntry::classify(token, true);
        (void)PaperLogEntry::classify(token, false);
        (void)entry.enter(token);
        VESK_FUZZ_CHECK(entry.preview().size() >= 8);
    }
    return 0;
}
