#include "platform/Clock.h"

#include <QElapsedTimer>
#include <time.h>

Clock::~Clock() = default;

QDateTime SystemClock::localNow() const { return QDateTime::currentDateTime(); }

QDateTime SystemClock::utcNow() const { return QDateTime::currentDateTimeUtc(); }

qint64 SystemClock::msecsSinceStart() const {
    // Milliseconds since the system started, as the status bar shows them.
    timespec ts{};
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0)
        return 0;
    return static_cast<qint64>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}
