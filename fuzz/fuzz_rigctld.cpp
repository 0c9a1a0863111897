// rigctld's answers: the input as the byte stream from the socket, cut into
// arrivals of varying size, framed into replies whose frequency and mode are
// read as the rig link reads them.
#include "FuzzSupport.h"

#include "links/RigBands.h"
#include "links/RigctldClient.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte sets the size of the arrivals.
    const std::size_t chunk = 1 + data[0] % 64;
    RigAnswerReader reader;
    reader.startAnswer();
    QString line;
    for (std::size_t at = 1; at < size; at += chunk) {
        reader.append(FuzzSupport::bytes(data + at, std::min(chunk, size - at)));
        while (reader.nextLine(line)) {
            VESK_FUZZ_CHECK(!line.contains(u'\n') && !line.contains(u'\r'));
            const std::optional<RigReply> reply = reader.take(line);
            if (!reply)
                continue;
            const QString hertz = reply->value(QStringLiteral("Frequency"));
            if (const std::optional<qint64> hz = RigBands::hertzOfText(hertz)) {
                VESK_FUZZ_CHECK(*hz >= 0);
                (void)RigBands::bandOfHertz(*hz);
                (void)RigModes::toRig(QStringLiteral("CW"), hz);
            }
            (void)RigModes::fromRig(reply->value(QStringLiteral("Mode")));
            (void)RigRules::commentsWithFrequency(QStringLiteral("gut"), hertz);
            reader.startAnswer();
        }
        if (reader.overflowed())
            break;
    }
    return 0;
}
