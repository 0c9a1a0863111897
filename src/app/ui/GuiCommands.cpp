#include "app/ui/GuiCommands.h"

#include "app/ui/MainWindow.h"
#include "platform/ProgramTexts.h"

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
            *error = msgText(Msg::ScreenshotNotWritten)
                         .arg(QDir::toNativeSeparators(file));
        return false;
    }
    return true;
}

} // namespace GuiCommands
