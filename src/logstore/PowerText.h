#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Transmit power as logs and other programs write it: a number with a
// decimal comma or point, optionally followed by a unit W, mW or kW in any
// letter case and with or without a blank ("100", "50W", "0.5 W", "1,5kW",
// "500mW"). The log stores it in watts with the German decimal comma
// ("0,5W"); ADIF gives the bare number with a decimal point ("0.5").
namespace PowerText {

// Watts; nullopt for anything else ("KWM-2", "-5W", "1e3W", "50WW").
std::optional<double> watts(QStringView text);

QString logText(double watts);  // "0,5W"
QString adifText(double watts); // "0.5"

} // namespace PowerText
