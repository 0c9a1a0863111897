#pragma once

#include "links/CallBookAccess.h"

#include <QString>

class Settings;

// The section "RAC" of the settings file: the callbook database file and
// the fields a lookup takes over.
namespace CallbookSettings {
QString fileName(const Settings& settings);
void setFileName(Settings& settings, const QString& fileName);
CallbookSelection selection(const Settings& settings);
void setSelection(Settings& settings, const CallbookSelection& selection);
} // namespace CallbookSettings
