#pragma once

#include "logstore/QsoRecord.h"

#include <QString>
#include <QVector>

class Settings;

// The sections of the entry mask's options.
namespace EntrySettings {

// "ShowAtStartUp": whether an optional field of the mask (a MaskItem) shows.
bool shownAtStart(const Settings& settings, int item);
void setShownAtStart(Settings& settings, int item, bool shown);

// "Vorgaben": the texts the mask is filled with after each clearing.
// The fields that can have a default, in the order the options table lists them.
const QVector<int>& defaultFields();
// As stored: a line break in the comments reads "#13#10".
QString defaultText(const Settings& settings, int field);
void setDefaultText(Settings& settings, int field, const QString& text);
// Every default in one contact, line breaks decoded (other fields empty).
QsoRecord defaults(const Settings& settings);

// "ErgRstTx": the text appended to RST TX, and whether it counts up.
QString rstAppendText(const Settings& settings);
void setRstAppendText(Settings& settings, const QString& text);
bool rstAppendCounts(const Settings& settings);
void setRstAppendCounts(Settings& settings, bool counts);

} // namespace EntrySettings
