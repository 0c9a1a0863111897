#include "settings/StatusBarTemplate.h"

#include "platform/ProgramTexts.h"
#include "settings/Settings.h"

namespace {

constexpr int kNameWidth = 13;

struct Variable {
    const char* name;
    Msg description;
};

// In the order they are replaced; a value holding a later name is replaced again.
const Variable kVariables[] = {
    {"LONG_DATE", Msg::StatusLongDate},   {"SHORT_DATE", Msg::StatusShortDate}, {"TIME", Msg::StatusTime},
    {"TICK_COUNT", Msg::StatusTickCount}, {"QSO_COUNT", Msg::StatusQsoCount},   {"LAST_CALL", Msg::StatusLastCall},
    {"LOG_FILE", Msg::StatusLogFile},     {"LIST_STATE", Msg::StatusListState}, {"REF_COUNT", Msg::StatusRefCount},
    {"REF_LOG_1", Msg::StatusRefLog1},    {"REF_LOG_2", Msg::StatusRefLog2},    {"REF_LOG_3", Msg::StatusRefLog3},
    {"REF_LOG_4", Msg::StatusRefLog4},    {"RAC_VERSION", Msg::StatusRacVersion},
};

// Listed after the others in the help, in this order.
const Variable kVersions[] = {
    {"VESK_VERSION", Msg::StatusVeskVersion},
    {"LOGFILEACCESS_VERSION", Msg::StatusLogFileAccessVersion},
    {"CALLBOOKACCESS_VERSION", Msg::StatusCallbookAccessVersion},
    {"LOGCONVERTER_VERSION", Msg::StatusLogConverterVersion},
};

void replace(QString& text, const char* name, const QString& value) {
    text.replace(QLatin1String(name), value, Qt::CaseInsensitive);
}

} // namespace

namespace StatusBarTemplate {

QString fill(const QString& text, const StatusBarValues& v, const QLocale& locale) {
    QString out = text;
    replace(out, "LONG_DATE", locale.toString(v.date, QLocale::LongFormat));
    replace(out, "SHORT_DATE", locale.toString(v.date, QLocale::ShortFormat));
    replace(out, "TIME", v.time.toString(QStringLiteral("HH:mm")));
    replace(out, "TICK_COUNT", QString::number(v.ticks));
    if (v.logOpen) {
        replace(out, "QSO_COUNT", QString::number(v.contacts));
        replace(out, "LAST_CALL", v.lastCall);
        replace(out, "LOG_FILE", v.logFile);
        replace(out, "LIST_STATE", v.referenceListShown ? QStringLiteral("Ref-Logs") : QStringLiteral("Log"));
    }
    replace(out, "REF_COUNT", QString::number(v.referenceListShown ? v.referenceContacts : 0));
    for (int i = 0; i < 4; ++i)
        replace(out, kVariables[9 + i].name, v.referenceLogs.value(i));
    replace(out, "RAC_VERSION", QString::number(v.callbookVersion));
    replace(out, "VESK_VERSION", QStringLiteral("0.8d"));
    replace(out, "CALLBOOKACCESS_VERSION", QStringLiteral("1.0"));
    replace(out, "LOGFILEACCESS_VERSION", QStringLiteral("1.2"));
    replace(out, "LOGCONVERTER_VERSION", QStringLiteral("1.0"));
    return out;
}

QStringList helpLines() {
    const QString indent(kNameWidth, u' ');
    QStringList lines = msgText(Msg::StatusHelpHeading).split(u'\n');
    lines << QString();
    for (const Variable& v : kVariables) {
        const QStringList description = msgText(v.description).split(u'\n');
        lines << QString::fromLatin1(v.name).leftJustified(kNameWidth) + description.first();
        for (qsizetype i = 1; i < description.size(); ++i)
            lines << indent + description[i];
    }
    lines << QString();
    for (const Variable& v : kVersions) {
        lines << QString::fromLatin1(v.name);
        for (const QString& line : msgText(v.description).split(u'\n'))
            lines << indent + line;
    }
    return lines;
}

QString stored(const Settings& settings) {
    return settings.readString(QStringLiteral("StatusBar"), QStringLiteral("Text"));
}

void store(Settings& settings, const QString& text) {
    settings.writeString(QStringLiteral("StatusBar"), QStringLiteral("Text"), text);
}

} // namespace StatusBarTemplate
