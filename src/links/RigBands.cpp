#include "links/RigBands.h"

#include <QRegularExpression>

namespace RigBands {

const QList<Band>& bands() {
    static const QList<Band> table = {
        {"160m", 1810, 2000},         {"80m", 3500, 3800},          {"40m", 7000, 7200},
        {"30m", 10100, 10150},        {"20m", 14000, 14350},        {"17m", 18068, 18168},
        {"15m", 21000, 21450},        {"12m", 24890, 24990},        {"10m", 28000, 29700},
        {"6m", 50000, 52000},         {"2m", 144000, 146000},       {"70cm", 430000, 440000},
        {"23cm", 1240000, 1300000},   {"13cm", 2320000, 2450000},   {"9cm", 3400000, 3475000},
        {"6cm", 5650000, 5850000},    {"3cm", 10000000, 10500000},  {"1,2cm", 24000000, 24250000},
    };
    return table;
}

QString bandOfHertz(qint64 hz) {
    const qint64 khz = hz / 1000;
    for (const Band& b : bands()) {
        if (khz >= b.fromKhz && khz <= b.toKhz)
            return QLatin1String(b.text);
    }
    return {};
}

std::optional<qint64> hertzOfText(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,18})(?:\\.0*)?\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 hz = m.captured(1).toLongLong(&ok);
    return ok ? std::optional<qint64>(hz) : std::nullopt;
}

qint64 tuningHertz(const QString& band) {
    for (const Band& b : bands()) {
        if (band == QLatin1String(b.text))
            return b.fromKhz * 1000;
    }
    return 0;
}

} // namespace RigBands

namespace RigModes {

// Keep README's table of the rig link in step with this one.
const QList<Mapping>& table() {
    static const QList<Mapping> t = {
        {"SSB", "LSB", Way::Both}, // below 10 MHz
        {"SSB", "USB", Way::Both}, // from 10 MHz up
        {"CW", "CW", Way::Both},
        {"CW-R", "CWR", Way::Both},
        {"AM", "AM", Way::Both},
        {"FM", "FM", Way::Both},
        {"WFM", "WFM", Way::Both},
        {"RTTY", "RTTY", Way::Both},
        {"RTTY-R", "RTTYR", Way::Both},
        {"FSK", "RTTY", Way::ToRig},
        {"FSK-R", "RTTYR", Way::ToRig},
        {"DIG", "PKTUSB", Way::Both},
        {"DIG", "PKTLSB", Way::FromRig},
        {"PKT", "PKTFM", Way::Both},
        // Hamlib 4.5 reports packet FM this way.
        {"PKT", "FM-D", Way::FromRig},
    };
    return t;
}

QString fromRig(const QString& rigMode) {
    for (const Mapping& m : table()) {
        if (m.way != Way::ToRig && rigMode == QLatin1String(m.rig))
            return QLatin1String(m.mask);
    }
    return rigMode;
}

QString toRig(const QString& maskMode, std::optional<qint64> hz) {
    if (maskMode == QLatin1String("SSB")) {
        if (!hz)
            return {};
        return QLatin1String(*hz < RigBands::UpperSidebandFrom ? "LSB" : "USB");
    }
    for (const Mapping& m : table()) {
        if (m.way != Way::FromRig && maskMode == QLatin1String(m.mask))
            return QLatin1String(m.rig);
    }
    return {};
}

} // namespace RigModes

namespace RigRules {

QString commentsWithFrequency(const QString& comments, const QString& hertzText) {
    QStringList lines = comments.split(u'\n');
    const QString& first = lines.first();
    if (!first.isEmpty() && !first.startsWith(QLatin1String("f = ")))
        lines.prepend(QString());
    lines[0] = hertzText.isEmpty() ? QString() : QStringLiteral("f = ") + hertzText + QStringLiteral("Hz");
    return lines.join(u'\n');
}

QString setModeCommand(const QString& rigMode) { return QStringLiteral("M ") + rigMode + QStringLiteral(" 0"); }

QString setFrequencyCommand(qint64 hz) { return QStringLiteral("F ") + QString::number(hz); }

QStringList bandCommands(const QString& band, const QString& modeLabel) {
    const qint64 hz = RigBands::tuningHertz(band);
    if (hz <= 0)
        return {};
    QStringList commands = {setFrequencyCommand(hz)};
    if (modeLabel == QLatin1String("SSB"))
        commands << setModeCommand(RigModes::toRig(modeLabel, hz));
    return commands;
}

QStringList modeCommands(const QString& mode, const QString& hertzText) {
    const QString rig = RigModes::toRig(mode, RigBands::hertzOfText(hertzText));
    if (rig.isEmpty())
        return {};
    return {setModeCommand(rig)};
}

} // namespace RigRules
