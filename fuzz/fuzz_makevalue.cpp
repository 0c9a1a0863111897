// The rules' expression language: the first line of the input is an
// expression (MakeValue), the second a key list, the third a condition list;
// further lines fill the cells of the contact's row.
#include "FuzzSupport.h"

#include "evaluations/ContestExpression.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines = FuzzSupport::text(data, size).split(u'\n');
    ContestRow row;
    row.cells[ContestColumn::Call] = QStringLiteral("DL1ABC");
    row.cells[ContestColumn::Locator] = QStringLiteral("JO31AA");
    row.cells[ContestColumn::RstRx] = QStringLiteral("599001");
    for (int i = 3; i < lines.size() && i - 3 < ContestColumn::Count; ++i)
        row.cells[static_cast<std::size_t>(i - 3)] = lines[i];
    if (lines.size() > 3 + ContestColumn::Count)
        row.distanceFailure = lines.last();

    try {
        (void)ContestExpression::MakeValue(lines.value(0), row);
    } catch (const ContestError& e) {
        VESK_FUZZ_CHECK(!e.message().isEmpty());
    }
    try {
        for (const QString& key : ContestExpression::cutList(lines.value(1)))
            (void)ContestExpression::MakeValue(key, row);
    } catch (const ContestError& e) {
        VESK_FUZZ_CHECK(!e.message().isEmpty());
    }
    try {
        (void)ContestExpression::conditionHolds(lines.value(2), row);
    } catch (const ContestError& e) {
        VESK_FUZZ_CHECK(!e.message().isEmpty());
    }
    try {
        (void)ContestExpression::gridDistance(lines.value(0), lines.value(1));
    } catch (const ContestError&) {
    }
    return 0;
}
