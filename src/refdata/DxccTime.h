#pragma once

#include "refdata/DstRules.h"
#include "refdata/Dxcc.h"

#include <QDateTime>

// The time on the wall in a DXCC entity at a UTC instant, from the offsets
// and summer-time rules of its table row.
namespace DxccTime {
DstRules::Zone zoneOf(const DxccInfo& info);
DstRules::LocalTime localTime(const DxccInfo& info, const QDateTime& utc);
} // namespace DxccTime
