#include "links/HamCapTarget.h"

namespace {

QString firstFilled(const QStringList& texts) {
    for (const QString& t : texts) {
        const QString trimmed = t.trimmed();
        if (!trimmed.isEmpty())
            return trimmed;
    }
    return {};
}

} // namespace

namespace HamCapTarget {

Target choose(const QStringList& locators, const QStringList& calls) {
    const QString locator = firstFilled(locators);
    if (locator.size() == 6)
        return {Kind::Locator, locator.toUpper()};
    const QString call = firstFilled(calls);
    if (call.size() > 2)
        return {Kind::Call, call};
    return {};
}

} // namespace HamCapTarget
