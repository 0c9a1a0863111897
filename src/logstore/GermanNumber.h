#pragma once

#include <QString>
#include <optional>

// Numbers as the program reads and writes them: German decimal comma, no
// thousands separator, shortest form that reads back to the same value.
namespace GermanNumber {
QString format(double value);
// Strict: "1,5" is a number, "1.5" is not.
std::optional<double> parse(const QString& text);
} // namespace GermanNumber
