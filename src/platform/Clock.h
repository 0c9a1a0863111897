#pragma once

#include <QDateTime>

// The time of the world outside. Tests set it.
class Clock {
public:
    virtual ~Clock();
    virtual QDateTime localNow() const = 0;
    virtual QDateTime utcNow() const = 0;
    virtual qint64 msecsSinceStart() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime localNow() const override;
    QDateTime utcNow() const override;
    qint64 msecsSinceStart() const override;
};
