#pragma once

#include "refdata/DokDirectory.h"
#include "refdata/Locator.h"

#include <QString>

class Session;

// What the entry mask and the edit tab show about the station being logged,
// looked up the same way in both places.
namespace InfoLabels {

// Bearing and distance from the own locator; empty texts unless locator has
// exactly six characters. A message is set when one of the two locators is
// impossible.
Locator::BearingDistance bearingDistance(Session& session, const QString& locator);

// The entity of a call as the mask shows it: the country followed by the
// hint for Ctrl+D; empty for an unknown call.
QString dxccLabel(Session& session, const QString& call);
// The country alone (the edit tab's DXCC box).
QString dxccCountry(Session& session, const QString& call);

// Club and district of a DOK (the field text); districtSet false: the
// district label keeps what it shows.
DokDirectory::Labels dokLabels(Session& session, const QString& dok);
// Opens the district's web site when the district label shows a district.
void openDistrict(Session& session, const QString& districtLabel, const QString& dok);

} // namespace InfoLabels
