#include "app/ui/GuiCommands.h"

#include "app/ui/MainWindow.h"
#include "platform/ProgramTexts.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
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
    // What the user would see: the main window with the secondary windows
    // shown over it (the clock, for one), each at its place on the screen.
    QList<QWidget*> shown{&window};
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &window && w->isVisible() && w->windowType() != Qt::Popup &&
            w->windowType() != Qt::ToolTip)
            shown << w;
    QRect area;
    for (QWidget* w : shown)
        area |= w->geometry();
    QPixmap picture(area.size());
    picture.fill(Qt::black);
    {
        QPainter painter(&picture);
        for (QWidget* w : shown)
            painter.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
    }
    if (picture.isNull() || !picture.save(file, "PNG")) {
        if (error)
            *error = msgText(Msg::ScreenshotNotWritten)
                         .arg(QDir::toNativeSeparators(file));
        return false;
    }
    return true;
}

} // namespace GuiCommands
