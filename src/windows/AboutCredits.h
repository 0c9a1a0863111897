#pragma once

#include <QStringList>

// The scrolling credits of the about box: who made the program and where
// its data come from, with the module versions and the language file's own
// credit line put in at their fixed places.
namespace AboutCredits {
QStringList lines(const QString& languageCredit);
} // namespace AboutCredits
