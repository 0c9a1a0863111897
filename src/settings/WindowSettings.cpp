#include "settings/WindowSettings.h"

#include "settings/Settings.h"

namespace WindowSettings {
namespace {
const QString kSection = QStringLiteral("Positionen");
QString columnKey(int column) { return QStringLiteral("ListeStringGrid.ColWidths[%1]").arg(column); }
} // namespace

QRect mainForm(const Settings& s, const QRect& fallback) {
    return QRect(s.readInteger(kSection, QStringLiteral("MainForm.Left"), fallback.left()),
                 s.readInteger(kSection, QStringLiteral("MainForm.Top"), fallback.top()),
                 s.readInteger(kSection, QStringLiteral("MainForm.Width"), fallback.width()),
                 s.readInteger(kSection, QStringLiteral("MainForm.Height"), fallback.height()));
}

void setMainForm(Settings& s, const QRect& r) {
    s.writeInteger(kSection, QStringLiteral("MainForm.Top"), r.top());
    s.writeInteger(kSection, QStringLiteral("MainForm.Left"), r.left());
    s.writeInteger(kSection, QStringLiteral("MainForm.Width"), r.width());
    s.writeInteger(kSection, QStringLiteral("MainForm.Height"), r.height());
}

QVector<int> listColumnWidths(const Settings& s, int columns, int fallback) {
    QVector<int> widths;
    for (int c = 0; c < columns; ++c)
        widths << s.readInteger(kSection, columnKey(c), fallback);
    return widths;
}

void setListColumnWidths(Settings& s, const QVector<int>& widths) {
    for (int c = 0; c < widths.size(); ++c)
        s.writeInteger(kSection, columnKey(c), widths[c]);
}
} // namespace WindowSettings
