#pragma once

#include <QDateTime>
#include <QObject>

#include <functional>

class ClockForm;
class ClockOptions;
class Shell;

// The helper windows beside the log: they live from program start to end,
// are shown and hidden from the menu or their options, and keep their
// places in the settings.
class AuxiliaryWindows : public QObject {
    Q_OBJECT
public:
    AuxiliaryWindows(Shell& shell, std::function<QDateTime()> utcNow, QObject* parent = nullptr);

    ClockForm& clock() const { return *m_clock; }
    // At program end, before the settings file is written.
    void storeSettings();

private:
    Shell& m_shell;
    ClockForm* m_clock;
    ClockOptions* m_clockOptions;
};
