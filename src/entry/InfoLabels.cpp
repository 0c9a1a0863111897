#include "entry/InfoLabels.h"

#include "session/Session.h"
#include "platform/Desktop.h"
#include "refdata/Dxcc.h"

#include <QFileInfo>
#include "settings/GeneralSettings.h"
#include "platform/ProgramTexts.h"

namespace InfoLabels {

Locator::BearingDistance bearingDistance(Session& session, const QString& locator) {
    if (locator.size() != 6)
        return {};
    return Locator::LocatDistance(GeneralSettings::ownLocator(session.settings()), locator, session.texts());
}

QString dxccCountry(Session& session, const QString& call) {
    DxccAccess& dxcc = session.dxcc();
    const QString country = dxcc.GetDxccCountry(call);
    // Without its files the lookup just finds nothing; what is reported are
    // lines of files that are there but cannot be used.
    if (QFileInfo::exists(dxcc.tableFileName()) && QFileInfo::exists(dxcc.indexFileName()))
        session.reportReferenceProblems(dxcc.problems());
    return country;
}

QString dxccLabel(Session& session, const QString& call) {
    const QString country = dxccCountry(session, call);
    return country.isEmpty() ? country : country + msgText(Msg::DxccShortcutHint);
}

DokDirectory::Labels dokLabels(Session& session, const QString& dok) {
    DokDirectory& directory = session.dokDirectory();
    const DokDirectory::Labels labels = directory.labelsFor(dok);
    if (QFileInfo::exists(session.pathOf(QStringLiteral("DOK.ini"))))
        session.reportReferenceProblems(directory.problems());
    return labels;
}

void openDistrict(Session& session, const QString& districtLabel, const QString& dok) {
    const QString link = session.dokDirectory().districtLinkFor(districtLabel, dok);
    if (!link.isEmpty())
        session.desktop().open(link);
}

} // namespace InfoLabels
