#include "settings/OwnStation.h"

#include "settings/Settings.h"

namespace OwnStation {
QString call(const Settings& s) { return s.readString(QStringLiteral("Allgemein"), QStringLiteral("EigenesCall")); }
QString locator(const Settings& s) {
    return s.readString(QStringLiteral("Allgemein"), QStringLiteral("EigenerLocator"), DefaultLocator);
}
} // namespace OwnStation
