// Contest rules files (.tst): the input read as a rules file, written back
// and read again unchanged, then run over a few contacts.
#include "FuzzSupport.h"

#include "evaluations/ContestEngine.h"
#include "evaluations/ContestRulesFile.h"
#include "logstore/IoError.h"

namespace {

ContestRow row(const char* call, const char* band, const char* prefix, const char* continent) {
    ContestRow r;
    r.cells[ContestColumn::Number] = QStringLiteral("1");
    r.cells[ContestColumn::Date] = QStringLiteral("01.05.2024");
    r.cells[ContestColumn::Utc] = QStringLiteral("1200");
    r.cells[ContestColumn::Band] = QLatin1String(band);
    r.cells[ContestColumn::Mode] = QStringLiteral("CW");
    r.cells[ContestColumn::Call] = QLatin1String(call);
    r.cells[ContestColumn::RstTx] = QStringLiteral("599");
    r.cells[ContestColumn::RstRx] = QStringLiteral("599001");
    r.cells[ContestColumn::Locator] = QStringLiteral("JO31AA");
    r.cells[ContestColumn::Distance] = QStringLiteral("123");
    r.cells[ContestColumn::GridDistance] = QStringLiteral("4");
    r.cells[ContestColumn::Prefix] = QLatin1String(prefix);
    r.cells[ContestColumn::Continent] = QLatin1String(continent);
    return r;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ContestRulesFile::Loaded loaded = ContestRulesFile::parse(FuzzSupport::bytes(data, size), QStringLiteral("fuzz.tst"));
    VESK_FUZZ_CHECK(loaded.rules.rowCount() >= 1);
    try {
        const QByteArray encoded = ContestRulesFile::encode(loaded.rules);
        const ContestRulesFile::Loaded again = ContestRulesFile::parse(encoded, QStringLiteral("again.tst"));
        VESK_FUZZ_CHECK(again.error.isEmpty());
        VESK_FUZZ_CHECK(again.rules.rules() == loaded.rules.rules());
    } catch (const IoError&) {
        // A cell with "|" or a line break: refused, not written.
    }

    ContestEngine engine(loaded.rules);
    if (engine.add(row("DL1ABC", "20m", "DL", "EU")) && engine.add(row("K1XYZ", "20m", "K", "NA")))
        (void)engine.add(row("DL1ABC", "40m", "DL", "EU"));
    const ContestResult result = engine.finish();
    (void)result.ok();
    return 0;
}
