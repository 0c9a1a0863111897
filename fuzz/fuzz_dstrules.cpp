// Summer-time rule texts as the DXCC table holds them: the input's lines
// are the start rule, its time of day, the end rule and its time; the
// first two bytes pick the year they are read for.
#include "FuzzSupport.h"

#include "refdata/DstRules.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // Years the program can meet: the computer's clock, from 1900 to 2155.
    const int year = 1900 + data[0];
    const QStringList lines = FuzzSupport::lines(data + 2, size - 2);
    const QString startRule = lines.value(0);
    const QString startTime = lines.value(1);
    const QString endRule = lines.value(2);
    const QString endTime = lines.value(3);

    const DstRules::RuleDate start = DstRules::ruleDate(startRule, startTime, year);
    VESK_FUZZ_CHECK(start.status != DstRules::Status::Ok || start.instant.isValid());
    VESK_FUZZ_CHECK(start.status == DstRules::Status::Ok || start.status == DstRules::Status::NoDate
                    || !start.message.isEmpty());
    const QDateTime utc(QDate(year, 1 + data[1] % 12, 1 + data[1] % 28), QTime(data[1] % 24, 0), Qt::UTC);
    const DstRules::InForce inForce = DstRules::summerTimeInForce(startRule, startTime, endRule, endTime, utc, year);
    VESK_FUZZ_CHECK(inForce.status == DstRules::Status::Ok || inForce.status == DstRules::Status::NoDate
                    || !inForce.message.isEmpty());

    DstRules::Zone zone;
    zone.utcOffset = (data[1] % 27) - 12;
    zone.dstOffset = (data[1] & 0x80) ? 1.0 : 0.5;
    zone.dstStartRule = startRule;
    zone.dstStartTime = startTime;
    zone.dstEndRule = endRule;
    zone.dstEndTime = endTime;
    zone.stdTimeText1 = lines.value(4);
    zone.dstTimeText1 = lines.value(5);
    const DstRules::LocalTime local = DstRules::localTime(zone, utc, year);
    VESK_FUZZ_CHECK(local.status != DstRules::Status::Ok || local.wallClock.isValid());
    return 0;
}
