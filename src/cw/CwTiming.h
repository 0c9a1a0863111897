#pragma once

#include <QString>
#include <QVector>

// One step of a sending: a dot or a dash tone, or a pause, with its length.
struct CwElement {
    enum class Kind { Dot, Dash, Pause };
    Kind kind = Kind::Pause;
    int ms = 0;
    bool operator==(const CwElement&) const = default;
};

namespace CwTiming {

// The time unit in ms: 6000 div speed (speed > 0). Speed 75 gives 80 ms.
int unit(int speed);

// The steps of a prepared text (MorseCode::prepare) with time unit u: a
// dot lasts u, a dash 3u, the pause inside a character u, the pause after
// every character but the last 3u, a blank 7u. A character without code
// sends nothing but still gets the pause after it.
QVector<CwElement> elements(const QString& prepared, int u);

} // namespace CwTiming
