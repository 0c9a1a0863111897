#pragma once

#include <QRect>
#include <QString>
#include <QVector>

class Settings;

// The section "Positionen": where the main window stood and how wide the
// columns of the contact lists were.
namespace WindowSettings {
// The stored geometry, or fallback for every value not stored.
QRect mainForm(const Settings& settings, const QRect& fallback);
void setMainForm(Settings& settings, const QRect& geometry);

// One width per log field; fallback where none is stored.
QVector<int> listColumnWidths(const Settings& settings, int columns, int fallback);
void setListColumnWidths(Settings& settings, const QVector<int>& widths);
} // namespace WindowSettings
