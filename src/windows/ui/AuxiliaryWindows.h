#pragma once

#include <QDateTime>
#include <QObject>

#include <functional>

class ClockForm;
class ClockOptions;
class DxccInfoForm;
class Shell;

// The helper windows beside the log: they live from program start to end,
// are shown and hidden from the menu or their options, and keep their
// places in the settings.
class AuxiliaryWindows : public QObject {
    Q_OBJECT
public:
    AuxiliaryWindows(Shell& shell, std::function<QDateTime()> utcNow, QObject* parent = nullptr);

    ClockForm& clock() const { return *m_clock; }
    DxccInfoForm& dxccInfoForm() const { return *m_dxccInfo; }

    // Fills the DXCC information window for a call and shows it modally.
    void DxccInfo(const QString& call);
    // The filling alone; false when a time rule of the entity cannot be read
    // (its message was shown and the window stays closed).
    bool fillDxccInfo(const QString& call);
    // At program end, before the settings file is written.
    void storeSettings();

private:
    Shell& m_shell;
    ClockForm* m_clock;
    ClockOptions* m_clockOptions;
    DxccInfoForm* m_dxccInfo;
    std::function<QDateTime()> m_utcNow;
};
