#include "entry/EntryRules.h"

#include "platform/Clock.h"

#include <QStringList>

namespace TxPowerStep {

int up(int watts) { return watts < 20 ? watts + 2 : watts + 10; }

int down(int watts) {
    if (watts >= 30)
        return watts - 10;
    return watts > 2 ? watts - 2 : watts;
}

std::optional<int> wholeWatts(const QString& text) {
    QString number = text.trimmed();
    if (number.endsWith(u'W', Qt::CaseInsensitive))
        number.chop(1);
    bool ok = false;
    const int watts = number.toInt(&ok);
    return ok && watts >= 0 ? std::optional<int>(watts) : std::nullopt;
}

} // namespace TxPowerStep

namespace RstTxAppend {

QString apply(const QString& rst, const QString& appendText) {
    const QString append = appendText.trimmed();
    if (append.isEmpty() || rst.contains(append))
        return rst;
    QString head = rst;
    while (!head.isEmpty() && head.back().isSpace())
        head.chop(1);
    return head + u' ' + append;
}

bool isWholeNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    t.toLongLong(&ok);
    return ok;
}

std::optional<QString> next(const QString& appendText) {
    if (!isWholeNumber(appendText))
        return std::nullopt;
    const qlonglong n = appendText.trimmed().toLongLong() + 1;
    return n < 0 ? QString::number(n) : QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

QString memoWithNumberLine(const QString& memo, const QString& appendText) {
    static const QString prefix = QStringLiteral("TX# ");
    QStringList lines = memo.split(u'\n');
    const bool ours = lines.size() < 4 || lines[3].isEmpty() || lines[3].startsWith(prefix);
    if (!ours)
        return memo;
    if (appendText.isEmpty()) {
        if (lines.size() < 4)
            return memo;
        lines[3].clear();
    } else {
        while (lines.size() < 4)
            lines << QString();
        lines[3] = prefix + appendText;
    }
    return lines.join(u'\n');
}

} // namespace RstTxAppend

namespace MaskClock {

QDateTime utcNow(const Clock& clock, bool automatic, int offsetHours) {
    if (automatic)
        return clock.utcNow();
    const QDateTime local = clock.localNow();
    // Arithmetic on the wall-clock reading, so that a summer-time change
    // does not shift the result by itself.
    return QDateTime(local.date(), local.time(), Qt::UTC).addSecs(qint64(offsetHours) * 3600);
}

double automaticOffsetHours(const Clock& clock) {
    return -clock.localNow().offsetFromUtc() / 3600.0;
}

} // namespace MaskClock
