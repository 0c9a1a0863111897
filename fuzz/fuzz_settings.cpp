// Vesk.ini: the settings reader over the input as the file, every value
// through the typed readers, and the file the settings would write read
// back to the same sections, keys and values.
#include "FuzzSupport.h"

#include "settings/Settings.h"

#include <QFile>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = FuzzSupport::writeFile(QStringLiteral("Vesk.ini"), data, size);
    Settings settings(path);
    QString error;
    if (!settings.load(&error))
        return 0;
    for (const QString& section : settings.sections()) {
        for (const QString& key : settings.keys(section)) {
            const QString value = settings.readString(section, key);
            (void)settings.readInteger(section, key, 0);
            (void)settings.readBool(section, key, false);
            (void)settings.readFloat(section, key, 0.0);
            (void)Settings::decodeMultiLine(value);
        }
    }

    const QString again = FuzzSupport::folder() + QStringLiteral("/again.ini");
    QFile out(again);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    out.write(settings.serialize());
    out.close();
    Settings reread(again);
    VESK_FUZZ_CHECK(reread.load());
    VESK_FUZZ_CHECK(reread.sections() == settings.sections());
    for (const QString& section : settings.sections()) {
        VESK_FUZZ_CHECK(reread.keys(section) == settings.keys(section));
        for (const QString& key : settings.keys(section)) {
            // A value cannot span lines: a stray CR inside it is written as a blank.
            QString value = settings.readString(section, key);
            value.replace(u'\r', u' ');
            VESK_FUZZ_CHECK(reread.readString(section, key) == value);
        }
    }
    return 0;
}
