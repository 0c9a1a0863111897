#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QObject;
class QWidget;

// Puts the texts of a language file onto the windows: each target found by
// its window's and its control's objectName. Targets whose window or control
// does not exist (yet) are skipped and reported back, never guessed.
class LanguageApplier {
public:
    explicit LanguageApplier(QList<QWidget*> windows) : m_windows(std::move(windows)) {}

    // Applies every caption-like target of lines (373 texts); returns one
    // line per target that could not be applied, with the reason.
    QStringList apply(const QStringList& lines) const;

    // The window with that objectName among the windows, or nullptr.
    QWidget* window(const QString& name) const;
    // The object named control inside window, not looking into the other
    // windows it owns (several windows have a "Label1").
    static QObject* control(QWidget* window, const QString& name);

private:
    QList<QWidget*> m_windows;
};
