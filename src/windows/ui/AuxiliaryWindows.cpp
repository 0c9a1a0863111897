#include "windows/ui/AuxiliaryWindows.h"

#include "session/Shell.h"
#include "windows/ui/ClockForm.h"
#include "windows/ui/ClockOptions.h"

AuxiliaryWindows::AuxiliaryWindows(Shell& shell, std::function<QDateTime()> utcNow, QObject* parent)
    : QObject(parent), m_shell(shell), m_clock(new ClockForm(shell.session(), std::move(utcNow), shell.window())),
      m_clockOptions(new ClockOptions(shell.session(), *m_clock)) {
    m_shell.addOptionsPage(m_clockOptions, QStringLiteral("ClockTS"), QStringLiteral("Analoge Uhr"));
}

void AuxiliaryWindows::storeSettings() { m_clock->storePosition(); }
