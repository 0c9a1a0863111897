#pragma once

#include <QString>

class MainWindow;

namespace GuiCommands {
// True when a window system is there to show windows on.
bool haveDisplay();
// Shows the window, lets it lay itself out and saves it as a PNG.
bool screenshot(MainWindow& window, const QString& file, QString* error);
} // namespace GuiCommands
