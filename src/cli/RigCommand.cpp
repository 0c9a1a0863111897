#include "cli/RigCommand.h"

#include "cli/BatchCommands.h"
#include "cli/ReferenceCommands.h"
#include "links/RigBands.h"
#include "links/RigProbe.h"
#include "links/RigSettings.h"
#include "platform/ProgramTexts.h"
#include "settings/Settings.h"

#include <QDir>
#include <QEventLoop>

namespace {

const QString kHost = QStringLiteral("--host");
const QString kPort = QStringLiteral("--port");
const QString kBand = QStringLiteral("--band");
const QString kMode = QStringLiteral("--mode");

// Host and port as "Optionen / Rig" stored them.
std::pair<QString, int> storedPlace(const QString& folder) {
    Settings settings(QDir(folder).filePath(QStringLiteral("Vesk.ini")));
    settings.load(); // missing or unreadable: the defaults
    return {RigSettings::host(settings), RigSettings::port(settings)};
}

void printState(const RigStatus& status, QTextStream& out) {
    out << msgText(Msg::CliRigRig).arg(status.hertzText, status.mode, status.model) << Qt::endl;
    const std::optional<qint64> hz = RigBands::hertzOfText(status.hertzText);
    QString band = hz ? RigBands::bandOfHertz(*hz) : QString();
    if (band.isEmpty())
        band = msgText(Msg::CliRigNoBand);
    out << msgText(Msg::CliRigDerived).arg(band, RigModes::fromRig(status.mode)) << Qt::endl;
}

} // namespace

namespace RigCommand {

bool handles(const QString& command) { return command == QStringLiteral("rig"); }

QStringList options() { return {kHost, kPort, kBand, kMode}; }

QString usageError(const CommandLine& line) {
    if (!handles(line.command))
        return {};
    if (!line.operands.isEmpty())
        return msgText(Msg::CliRigNoOperands);
    if (line.named.contains(kPort) && RigSettings::parsePort(line.named[kPort]) == 0)
        return msgText(Msg::CliRigBadPort).arg(line.named[kPort]);
    return {};
}

int run(const CommandLine& line, QTextStream& out, QTextStream& err) {
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    auto [host, port] = storedPlace(folder);
    if (line.named.contains(kHost))
        host = line.named[kHost];
    if (line.named.contains(kPort))
        port = RigSettings::parsePort(line.named[kPort]);
    const bool sending = line.named.contains(kBand) || line.named.contains(kMode);
    const QString band = line.named.value(kBand);
    const QString mode = line.named.value(kMode);

    RigProbe probe;
    RigStatus result;
    QEventLoop loop;
    QObject::connect(&probe, &RigProbe::finished, &loop, [&](const RigStatus& status) {
        result = status;
        loop.quit();
    });
    RigProbe::Commands commands;
    if (sending) {
        commands = [&](const RigStatus& before) {
            // As in the mask: a band is chosen with the mode label at
            // --mode; a mode alone is chosen at the rig's frequency.
            return line.named.contains(kBand) ? RigRules::bandCommands(band, mode)
                                              : RigRules::modeCommands(mode, before.hertzText);
        };
    }
    probe.start(host, static_cast<quint16>(port), commands);
    loop.exec();

    if (!result.answered) {
        err << msgText(Msg::RigWhere).arg(host).arg(port).arg(result.reason) << Qt::endl;
        return 1;
    }
    for (const QString& command : result.sent)
        out << msgText(Msg::CliRigSent).arg(command) << Qt::endl;
    printState(result, out);
    if (sending && result.sent.isEmpty()) {
        err << msgText(Msg::CliRigNothingToSend).arg(band, mode) << Qt::endl;
        return 1;
    }
    if (!result.refused.isEmpty()) {
        err << msgText(Msg::CliRigRefused).arg(result.refused.join(QStringLiteral(", "))) << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace RigCommand
