#pragma once

#include <QString>

class Settings;

// The operator's own station as the "Allgemein" options hold it.
namespace OwnStation {
// Used until the operator enters their own: a valid six-character locator,
// so that bearings and distances can be computed from the first start on.
inline const QString DefaultLocator = QStringLiteral("JO62QM");

QString call(const Settings& settings);
QString locator(const Settings& settings);
} // namespace OwnStation
