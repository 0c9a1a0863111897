#include "logstore/BandList.h"
#include "logstore/LogTableModel.h"

#include "platform/Dialogs.h"

#include <QHash>
#include <algorithm>

namespace AsciiCase {

QString toLower(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return out;
}

QString toUpper(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return out;
}

} // namespace AsciiCase

namespace BandList {

const QStringList& texts() {
    static const QStringList t = {QStringLiteral("13cm"), QStringLiteral("23cm"), QStringLiteral("70cm"),
                                  QStringLiteral("2m"),   QStringLiteral("10m"),  QStringLiteral("15m"),
                                  QStringLiteral("17m"),  QStringLiteral("20m"),  QStringLiteral("30m"),
                                  QStringLiteral("40m"),  QStringLiteral("80m"),  QStringLiteral("160m")};
    return t;
}

int TextToBandIndex(const QString& text) {
    const int i = static_cast<int>(texts().indexOf(AsciiCase::toLower(text)));
    return i < 0 ? Other : i;
}

QString BandIndexToText(int index, const QString& current, Dialogs& dialogs, const QString& prompt) {
    if (index >= 0 && index < Other)
        return texts()[index];
    const auto answer = dialogs.inputText(QStringLiteral("Band"), prompt, current);
    return answer ? *answer : current;
}

} // namespace BandList

namespace ModeList {

const QStringList& texts() {
    static const QStringList t = {QStringLiteral("CW"),   QStringLiteral("SSB"),    QStringLiteral("AM"),
                                  QStringLiteral("FM"),   QStringLiteral("SSTV"),   QStringLiteral("ATV"),
                                  QStringLiteral("PR"),   QStringLiteral("PSK"),    QStringLiteral("RTTY"),
                                  QStringLiteral("Pactor"), QStringLiteral("FAX")};
    return t;
}

const QStringList& matchTexts() {
    static const QStringList t = [] {
        QStringList m = texts();
        m[9] = QStringLiteral("PACTOR");
        return m;
    }();
    return t;
}

int TextToModeIndex(const QString& text) {
    const int i = static_cast<int>(matchTexts().indexOf(AsciiCase::toUpper(text)));
    return i < 0 ? Other : i;
}

QString ModeIndexToText(int index, const QString& current, Dialogs& dialogs, const QString& prompt) {
    if (index >= 0 && index < Other)
        return texts()[index];
    const auto answer = dialogs.inputText(QStringLiteral("Mode"), prompt, current);
    return answer ? *answer : current;
}

} // namespace ModeList

namespace FreeTexts {

QStringList inUse(const LogTableModel& model, int field, int (*indexOf)(const QString&), int other, int max) {
    QHash<QString, int> count;
    QStringList order;
    for (int row = 0; row < model.recordCount(); ++row) {
        const QStringView raw = model.rawField(row, field);
        if (raw.trimmed().isEmpty())
            continue;
        const QString text = raw.trimmed().toString();
        auto it = count.find(text);
        if (it != count.end()) {
            ++*it;
            continue;
        }
        count.insert(text, 1);
        if (indexOf(text) == other)
            order << text;
    }
    // Stable: equally used texts keep the order of their first use.
    std::stable_sort(order.begin(), order.end(),
                     [&count](const QString& a, const QString& b) { return count.value(a) > count.value(b); });
    return order.mid(0, max);
}

} // namespace FreeTexts
