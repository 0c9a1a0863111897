#include "entry/EntrySettings.h"

#include "entry/FieldBindings.h"
#include "settings/Settings.h"

namespace EntrySettings {
namespace {
const QString kShown = QStringLiteral("ShowAtStartUp");
const QString kDefaults = QStringLiteral("Vorgaben");
const QString kRstAppend = QStringLiteral("ErgRstTx");

QString defaultKey(int field) {
    switch (field) {
    case QsoRecord::Call: return QStringLiteral("Call");
    case QsoRecord::RstTx: return QStringLiteral("RstTx");
    case QsoRecord::RstRx: return QStringLiteral("RstRx");
    case QsoRecord::Dok: return QStringLiteral("Dok");
    case QsoRecord::Locator: return QStringLiteral("Locator");
    case QsoRecord::Qth: return QStringLiteral("Qth");
    case QsoRecord::Name: return QStringLiteral("Name");
    case QsoRecord::Comments: return QStringLiteral("Comments");
    default: return {};
    }
}
} // namespace

bool shownAtStart(const Settings& s, int item) { return s.readBool(kShown, QString(MaskItem::letter(item)), true); }
void setShownAtStart(Settings& s, int item, bool shown) { s.writeBool(kShown, QString(MaskItem::letter(item)), shown); }

const QVector<int>& defaultFields() {
    static const QVector<int> fields = {QsoRecord::Call, QsoRecord::RstTx, QsoRecord::RstRx, QsoRecord::Dok,
                                        QsoRecord::Locator, QsoRecord::Qth, QsoRecord::Name, QsoRecord::Comments};
    return fields;
}

QString defaultText(const Settings& s, int field) { return s.readString(kDefaults, defaultKey(field)); }

void setDefaultText(Settings& s, int field, const QString& text) { s.writeString(kDefaults, defaultKey(field), text); }

QsoRecord defaults(const Settings& s) {
    QsoRecord r;
    for (int f : defaultFields())
        r[f] = defaultText(s, f);
    // Only the comments may hold line breaks; the options table shows them coded.
    r[QsoRecord::Comments] = Settings::decodeMultiLine(r[QsoRecord::Comments]);
    return r;
}

QString rstAppendText(const Settings& s) { return s.readString(kRstAppend, QStringLiteral("Text")); }
void setRstAppendText(Settings& s, const QString& text) { s.writeString(kRstAppend, QStringLiteral("Text"), text); }
bool rstAppendCounts(const Settings& s) { return s.readBool(kRstAppend, QStringLiteral("Nummer"), false); }
void setRstAppendCounts(Settings& s, bool counts) { s.writeBool(kRstAppend, QStringLiteral("Nummer"), counts); }

} // namespace EntrySettings
