#include "windows/ui/AuxiliaryWindows.h"

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "refdata/Dxcc.h"
#include "refdata/DxccTime.h"
#include "refdata/SunTimes.h"
#include "session/Session.h"
#include "session/Shell.h"
#include "settings/GeneralSettings.h"
#include "windows/DxccInfoText.h"
#include "windows/ui/AboutForm.h"
#include "windows/ui/DateiformateForm.h"
#include "windows/ui/DxccInfoForm.h"
#include "windows/ui/HotKeyForm.h"
#include "windows/ui/MapForm.h"

#include <QAction>
#include <QDir>
#include "windows/ui/ClockForm.h"
#include "windows/ui/ClockOptions.h"

AuxiliaryWindows::AuxiliaryWindows(Shell& shell, Links links, QObject* parent)
    : QObject(parent), m_shell(shell), m_clock(new ClockForm(shell.session(), links.utcNow, shell.window())),
      m_clockOptions(new ClockOptions(shell.session(), *m_clock)), m_dxccInfo(new DxccInfoForm(shell.window())),
      m_hotKeys(new HotKeyForm(shell.window())),
      m_dataFiles(new DateiformateForm(shell.session(), links.openLog, shell.window())),
      m_about(new AboutForm(shell.session(), *links.textForm, shell.window())),
      m_map(new MapForm(shell.session(), shell.window())), m_links(std::move(links)) {
    m_shell.addOptionsPage(m_clockOptions, QStringLiteral("ClockTS"), QStringLiteral("Analoge Uhr"));
    connectMenus();
}

void AuxiliaryWindows::connectMenus() {
    const auto entry = [this](const char* name, auto handler) {
        if (QAction* item = m_shell.menuEntry(QLatin1String(name))) {
            item->setEnabled(true);
            connect(item, &QAction::triggered, this, handler);
        }
    };
    entry("Info1", [this] { m_about->exec(); });
    entry("astaturkrzel1", [this] {
        m_hotKeys->fill(m_links.shortcutLines());
        m_hotKeys->exec();
    });
    entry("Hilfe2", [this] { openHelpPage(QStringLiteral("index.htm")); });
    entry("LinklistezuAFU1", [this] { openHelpPage(QStringLiteral("11-4.htm")); });
    // There is no address on the internet for the program; its page is
    // shipped beside the manual and opens without a connection.
    entry("WebPageMenu", [this] { openHelpPage(QStringLiteral("vesk.htm")); });
    entry("DateiformateMenu", [this] {
        m_dataFiles->FillDateien();
        m_dataFiles->exec();
    });
}

// A missing page is the desktop's to report.
void AuxiliaryWindows::openHelpPage(const QString& page) {
    Session& session = m_shell.session();
    session.desktop().open(QDir(session.folder()).filePath(QStringLiteral("Hilfe/") + page));
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
    facts.local = DxccTime::localTime(info, m_links.utcNow());
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
