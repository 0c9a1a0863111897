#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// What the rig link knows of bands and modes: which band a rig frequency
// lies in, where choosing a band tunes the rig, and how the mask's modes
// and rigctld's modes translate. rigctld speaks Hamlib's mode names
// ("USB", "CWR", "PKTUSB"); the mask shows the logbook's ("SSB", "CW-R",
// "DIG").
namespace RigBands {

// Band edges in whole kHz, both inclusive; the lower edge is where
// choosing the band tunes the rig.
struct Band {
    const char* text;
    qint64 fromKhz;
    qint64 toKhz;
};
const QList<Band>& bands();

// The band a frequency in Hz lies in (Hz div 1000 against the edges), or
// an empty text outside every band.
QString bandOfHertz(qint64 hz);
// The frequency in Hz a text from rigctld stands for: decimal digits,
// optionally followed by a fraction of zeros ("7074000.000000", as some
// Hamlib versions print it). nullopt for anything else or a negative value.
std::optional<qint64> hertzOfText(const QString& text);
// Where choosing a band tunes the rig (its lower edge in Hz), 0 for a band
// the table does not hold.
qint64 tuningHertz(const QString& band);

// Below this frequency SSB means the lower sideband.
inline constexpr qint64 UpperSidebandFrom = 10000000;

} // namespace RigBands

namespace RigModes {

// The one table of mode names between the mask and rigctld. A row may hold
// for both directions, only for the way to the rig (two mask modes end up
// as the same rig mode) or only for the way back (two rig modes read as the
// same mask mode).
enum class Way { Both, ToRig, FromRig };
struct Mapping {
    const char* mask;
    const char* rig;
    Way way;
};
const QList<Mapping>& table();

// The mask's mode for a mode rigctld reports: the table's, or the rig's
// text unchanged for a mode the table does not know. Empty stays empty.
QString fromRig(const QString& rigMode);
// The rig mode for a mask mode at a rig frequency (SSB picks the sideband
// by the frequency). Empty for a mode that is not passed to the rig, and
// for SSB without a known frequency.
QString toRig(const QString& maskMode, std::optional<qint64> hz);

} // namespace RigModes

// What the link does with what comes from the rig and what the operator
// chooses: plain values in, plain values out.
namespace RigRules {

// The comments text after a frequency report: the first line becomes
// "f = <hertzText>Hz" (the empty line for an empty text). A first line that
// holds something other than an earlier frequency line moves down by one.
QString commentsWithFrequency(const QString& comments, const QString& hertzText);

// The rigctld commands of choosing a band in the mask while the mode label
// shows modeLabel: the band's lower edge ("F 14000000"), then for SSB the
// sideband there ("M USB 0"). A band the table does not hold sends nothing:
// the rig stays where it is, and so does its sideband.
QStringList bandCommands(const QString& band, const QString& modeLabel);
// The rigctld commands of choosing a mode in the mask, the rig being at
// hertzText (its last report). Nothing for a mode the rig is not given,
// nor for SSB before the rig reported a usable frequency.
QStringList modeCommands(const QString& mode, const QString& hertzText);

// The set-mode command for a rig mode; passband 0 keeps the rig's default.
QString setModeCommand(const QString& rigMode);
QString setFrequencyCommand(qint64 hz);

} // namespace RigRules
