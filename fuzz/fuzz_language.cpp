// Language files: the input as a ".lng" file with its 373 lines and as the
// ".msg" supplement of key=text lines.
#include "FuzzSupport.h"

#include "logstore/IoError.h"
#include "platform/ProgramTexts.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageTexts.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString lng = FuzzSupport::writeFile(QStringLiteral("fuzz.lng"), data, size);
    try {
        const QStringList lines = LanguageFile::read(lng);
        LanguageTexts texts;
        LanguageFile::fillTexts(lines, texts);
    } catch (const IoError&) {
    }
    const QString msg = FuzzSupport::writeFile(QStringLiteral("fuzz.msg"), data, size);
    QString error;
    const QHash<QString, QString> supplement = ProgramTexts::read(msg, &error);
    VESK_FUZZ_CHECK(error.isEmpty() || supplement.isEmpty());
    for (auto it = supplement.cbegin(); it != supplement.cend(); ++it)
        (void)ProgramTexts::idOf(it.key());
    return 0;
}
