#include "windows/ui/AuxiliaryWindows.h"

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "refdata/Dxcc.h"
#include "refdata/DxccTime.h"
#include "refdata/SunTimes.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/GeneralSettings.h"
#include "windows/DxccInfoText.h"
#include "windows/ui/DxccInfoForm.h"
#include "windows/ui/ClockForm.h"
#include "windows/ui/ClockOptions.h"

AuxiliaryWindows::AuxiliaryWindows(Shell& shell, std::function<QDateTime()> utcNow, QObject* parent)
    : QObject(parent), m_shell(shell), m_clock(new ClockForm(shell.session(), utcNow, shell.window())),
      m_clockOptions(new ClockOptions(shell.session(), *m_clock)), m_dxccInfo(new DxccInfoForm(shell.window())),
      m_utcNow(std::move(utcNow)) {
    m_shell.addOptionsPage(m_clockOptions, QStringLiteral("ClockTS"), QStringLiteral("Analoge Uhr"));
}

void AuxiliaryWindows::storeSettings() { m_clock->storePosition(); }

bool AuxiliaryWindows::fillDxccInfo(const QString& call) {
    Session& session = m_shell.session();
    DxccInfoText::Facts facts;
    facts.info = session.dxcc().GetDxccInfo(call);
    const ::DxccInfo& info = facts.info;
    facts.course = Locator::LocatPosDistance(GeneralSettings::ownLocator(session.settings()), info.Latitude,
                                             info.Longitude, session.texts());
    if (!facts.course.message.isEmpty())
        session.dialogs().error(facts.course.message);
    const double zenith = GeneralSettings::sunZenith(session.settings()).value_or(SunTimes::DefaultZenith);
    facts.sunrise = SunTimes::Sun(false, info.Latitude, info.Longitude, zenith, session.clock());
    facts.sunset = SunTimes::Sun(true, info.Latitude, info.Longitude, zenith, session.clock());
    facts.local = DxccTime::localTime(info, m_utcNow());
    if (facts.local.status != DstRules::Status::Ok) {
        session.dialogs().error(facts.local.message);
        return false;
    }
    m_dxccInfo->fill(info.Country, DxccInfoText::lines(facts, session.texts(), QLocale()),
                     DxccInfoText::mapFile(session.folder(), info.MainPrefix));
    return true;
}

void AuxiliaryWindows::DxccInfo(const QString& call) {
    if (fillDxccInfo(call))
        m_dxccInfo->exec();
}
