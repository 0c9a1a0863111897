#include "links/CallbookSettings.h"

#include "settings/Settings.h"

namespace {
const QString kSection = QStringLiteral("RAC");
const QString kFileName = QStringLiteral("FileName");
const QString kName = QStringLiteral("Name");
const QString kFirstName = QStringLiteral("Vorname");
const QString kAddress = QStringLiteral("Adresse");
const QString kLicence = QStringLiteral("Licence");
const QString kComment = QStringLiteral("Comment");
const QString kFax = QStringLiteral("FaxNr");
// Written as "EMail"; files that say "Email" are read too, as names are
// compared without regard to case.
const QString kEmail = QStringLiteral("EMail");
} // namespace

namespace CallbookSettings {

QString fileName(const Settings& s) { return s.readString(kSection, kFileName); }
void setFileName(Settings& s, const QString& fileName) { s.writeString(kSection, kFileName, fileName); }

CallbookSelection selection(const Settings& s) {
    CallbookSelection c;
    c.name = s.readBool(kSection, kName, false);
    c.firstName = s.readBool(kSection, kFirstName, false);
    c.address = s.readBool(kSection, kAddress, false);
    c.licence = s.readBool(kSection, kLicence, false);
    c.comment = s.readBool(kSection, kComment, false);
    c.fax = s.readBool(kSection, kFax, false);
    c.email = s.readBool(kSection, kEmail, false);
    return c;
}

void setSelection(Settings& s, const CallbookSelection& c) {
    s.writeBool(kSection, kName, c.name);
    s.writeBool(kSection, kFirstName, c.firstName);
    s.writeBool(kSection, kAddress, c.address);
    s.writeBool(kSection, kLicence, c.licence);
    s.writeBool(kSection, kComment, c.comment);
    s.writeBool(kSection, kFax, c.fax);
    s.writeBool(kSection, kEmail, c.email);
}

} // namespace CallbookSettings
