#include "cw/CwTiming.h"

#include "cw/MorseCode.h"

namespace CwTiming {

int unit(int speed) { return speed > 0 ? 6000 / speed : 0; }

QVector<CwElement> elements(const QString& prepared, int u) {
    using Kind = CwElement::Kind;
    QVector<CwElement> steps;
    for (qsizetype i = 0; i < prepared.size(); ++i) {
        const QChar c = prepared[i];
        if (c == u' ') {
            steps.append({Kind::Pause, 7 * u});
        } else {
            const QString code = MorseCode::codeOf(c);
            for (qsizetype e = 0; e < code.size(); ++e) {
                steps.append(code[e] == u'.' ? CwElement{Kind::Dot, u} : CwElement{Kind::Dash, 3 * u});
                if (e + 1 < code.size())
                    steps.append({Kind::Pause, u});
            }
        }
        if (i + 1 < prepared.size())
            steps.append({Kind::Pause, 3 * u});
    }
    return steps;
}

} // namespace CwTiming
