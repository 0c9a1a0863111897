#include "cli/CwCommand.h"

#include "cli/BatchCommands.h"
#include "cli/ReferenceCommands.h"
#include "cw/CwSampleStream.h"
#include "cw/CwSettings.h"
#include "cw/ToneBuffer.h"
#include "logstore/AtomicFile.h"
#include "logstore/IoError.h"
#include "platform/AudioOut.h"
#include "platform/ProgramTexts.h"
#include "settings/Settings.h"

#include <QDir>
#include <QLocale>

namespace {

const QString kWpm = QStringLiteral("--wpm");
const QString kFrq = QStringLiteral("--frq");
const QString kVolume = QStringLiteral("--volume");
const QString kWav = QStringLiteral("--wav");

struct Range {
    int low;
    int high;
    QString text;
};

Range rangeOf(const QString& option) {
    if (option == kWpm)
        return {1, std::numeric_limits<int>::max(), QStringLiteral(">= 1")};
    if (option == kFrq)
        return {std::numeric_limits<int>::min(), ToneBuffer::MaxFrequency,
                QStringLiteral("<= %1").arg(ToneBuffer::MaxFrequency)};
    return {0, 127, QStringLiteral("0-127")};
}

// The option's value when it is given and allowed; else the error.
QString valueError(const CommandLine& line, const QString& option) {
    if (!line.named.contains(option))
        return {};
    const QString& text = line.named[option];
    const std::optional<int> value = Settings::parseInteger(text);
    const Range r = rangeOf(option);
    if (!value || *value < r.low || *value > r.high)
        return msgText(Msg::CliCwNotANumber).arg(option, text, r.text);
    return {};
}

} // namespace

namespace CwCommand {

bool handles(const QString& command) { return command == QStringLiteral("cw"); }

QStringList options() { return {kWpm, kFrq, kVolume, kWav}; }

QString usageError(const CommandLine& line) {
    if (!handles(line.command))
        return {};
    if (line.operands.isEmpty())
        return msgText(Msg::CliCwNeedsText);
    for (const QString& option : {kWpm, kFrq, kVolume}) {
        const QString error = valueError(line, option);
        if (!error.isEmpty())
            return error;
    }
    return {};
}

int run(const CommandLine& line, QTextStream& out, QTextStream& err) {
    const QString folder = ReferenceCommands::programFolder(line, err);
    if (folder.isEmpty())
        return 1;
    Settings settings(QDir(folder).filePath(QStringLiteral("Vesk.ini")));
    settings.load(); // unreadable: the defaults
    CwParameters p = CwSettings::parameters(settings, line.operands.join(u' '));
    p.pcSpeaker = false;
    if (line.named.contains(kWpm))
        p.speed = *Settings::parseInteger(line.named[kWpm]);
    if (line.named.contains(kFrq))
        p.frequency = *Settings::parseInteger(line.named[kFrq]);
    if (line.named.contains(kVolume))
        p.volume = *Settings::parseInteger(line.named[kVolume]);
    // Stored values that cannot be sent: the window refuses them too. A
    // pitch too high for any tone would write or play silence only.
    QString refusal = p.refusal();
    if (refusal.isEmpty() && p.frequency > ToneBuffer::MaxFrequency)
        refusal = msgText(Msg::CwFrequencyTooHigh).arg(ToneBuffer::SampleRate).arg(p.frequency);
    if (!refusal.isEmpty()) {
        err << refusal << Qt::endl;
        return 1;
    }
    const std::unique_ptr<CwSampleStream> stream = CwSending::soundCardStream(p, {});
    const QString wav = line.named.value(kWav);
    if (wav.isEmpty()) {
        SystemAudioOut audio;
        const QString failure = audio.play(*stream, ToneBuffer::SampleRate);
        if (!failure.isEmpty()) {
            err << failure << Qt::endl;
            return 1;
        }
        return 0;
    }
    const qint64 samples = stream->sampleCount();
    if (samples > std::numeric_limits<quint32>::max() - ToneBuffer::HeaderSize) {
        err << msgText(Msg::CliCwTooLong).arg(QDir::toNativeSeparators(wav)) << Qt::endl;
        return 1;
    }
    try {
        AtomicFile file(QDir::current().absoluteFilePath(wav));
        file.open();
        file.write(ToneBuffer::header(static_cast<quint32>(samples)));
        while (!stream->atEnd())
            file.write(stream->read(1 << 20));
        file.commit();
    } catch (const IoError& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
    out << msgText(Msg::CliCwWritten)
               .arg(QDir::toNativeSeparators(wav))
               .arg(samples)
               .arg(QLocale(QLocale::German).toString(double(samples) / ToneBuffer::SampleRate, 'f', 2))
        << Qt::endl;
    return 0;
}

} // namespace CwCommand
