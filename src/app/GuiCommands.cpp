#include "app/GuiCommands.h"

#include "app/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

namespace GuiCommands {

bool haveDisplay() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return true; // the user chose a platform (offscreen, vnc ...)
    return !qEnvironmentVariable("DISPLAY").isEmpty() || !qEnvironmentVariable("WAYLAND_DISPLAY").isEmpty();
}

bool screenshot(MainWindow& window, const QString& file, QString* error) {
    window.show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QPixmap picture = window.grab();
    if (picture.isNull() || !picture.save(file, "PNG")) {
        if (error)
            *error = QStringLiteral("Das Bildschirmfoto \"%1\" konnte nicht geschrieben werden.")
                         .arg(QDir::toNativeSeparators(file));
        return false;
    }
    return true;
}

} // namespace GuiCommands
