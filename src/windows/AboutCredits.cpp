#include "windows/AboutCredits.h"

namespace AboutCredits {

QStringList lines(const QString& languageCredit) {
    QStringList credits = {
        QStringLiteral("Vesk"),
        QStringLiteral("Logbuch für Funkamateure"),
        QString(),
        QStringLiteral("Programm:"),
        QStringLiteral("  die Vesk-Entwickler"),
        QString(),
        QStringLiteral("Geschrieben in C++20 mit Qt 6"),
        QStringLiteral("für Debian GNU/Linux."),
        QString(),
        QStringLiteral("Module:"),
        QString(),
        QStringLiteral("Morse-Ausgabe"),
        QStringLiteral("  Tonerzeugung für Soundkarte"),
        QStringLiteral("  und PC-Lautsprecher"),
        QString(), // 14: version of the Morse output
        QString(),
        QString(),
        QString(),
        QStringLiteral("Callbook-Zugriff"),
        QStringLiteral("  Name, Anschrift und mehr"),
        QStringLiteral("  aus der Callbook-Datenbank"),
        QString(), // 21: version of the callbook access
        QString(),
        QString(),
        QString(),
        QStringLiteral("Log-Konverter"),
        QStringLiteral("  ADIF, HTML und Text"),
        QStringLiteral("  hinein und hinaus"),
        QString(), // 28: version of the log converter
        QString(),
        QString(),
        QString(),
        QStringLiteral("Log-Dateien"),
        QStringLiteral("  Lesen, Anhängen und"),
        QStringLiteral("  sicheres Schreiben"),
        QString(), // 35: version of the log file access
        QString(),
        QStringLiteral("Daten:"),
        QStringLiteral("  DXCC-Tabelle: cty.dat von AD1C (MIT)"),
        QStringLiteral("  Zeitzonen: tz-Datenbank (gemeinfrei)"),
        QStringLiteral("  Weltkarte: NASA Visible Earth"),
        QStringLiteral("  Ländergrenzen: GMT DCW (LGPL-3+)"),
        QStringLiteral("  CQ- und ITU-Zonen: HA8TKS"),
        QStringLiteral("  DOK-Liste: Cloudlog (MIT)"),
        QStringLiteral("  Einzelheiten in LIZENZEN.txt"),
        QString(),
        QString(),
        QStringLiteral("Sprachdatei:"),
        QString(), // 48: the language file's own credit
        QString(),
        QStringLiteral("Vielen Dank an alle, die Fehler melden"),
        QStringLiteral("und Verbesserungen vorschlagen!"),
    };
    credits[14] = QStringLiteral("CwAusgabe Version 3.0");
    credits[21] = QStringLiteral("CallBookAccess  Version 1.0");
    credits[28] = QStringLiteral("LogCoverter  Version 1.0");
    credits[35] = QStringLiteral("LogFileAccess  Version 1.2");
    credits[48] = languageCredit;
    return credits;
}

} // namespace AboutCredits
