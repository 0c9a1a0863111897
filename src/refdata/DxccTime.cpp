#include "refdata/DxccTime.h"

namespace DxccTime {

DstRules::Zone zoneOf(const DxccInfo& info) {
    DstRules::Zone zone;
    zone.utcOffset = info.UtcOffset;
    zone.dstOffset = info.DstOffset;
    zone.dstStartRule = info.DstStartRule;
    zone.dstStartTime = info.DstStartTime;
    zone.dstEndRule = info.DstEndRule;
    zone.dstEndTime = info.DstEndTime;
    zone.stdTimeText1 = info.StdTimeText1;
    zone.stdTimeText2 = info.StdTimeText2;
    zone.dstTimeText1 = info.DstTimeText1;
    zone.dstTimeText2 = info.DstTimeText2;
    return zone;
}

DstRules::LocalTime localTime(const DxccInfo& info, const QDateTime& utc) {
    // The rules are evaluated for the year of the instant itself, so that a
    // look at another year than the current one gives that year's dates.
    return DstRules::localTime(zoneOf(info), utc, utc.date().year());
}

} // namespace DxccTime
