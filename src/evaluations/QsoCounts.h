#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

class LanguageTexts;
class LogFile;

// Contacts of a log counted by band and mode, with the cards sent and
// received. Band and mode texts are compared exactly ("2m" and "2M" are two
// bands) and kept in order of first appearance.
class QsoCounts {
public:
    enum class View { Overview, OverviewPercent, All, Sent, Received };

    // Reads the whole log, no filter. Throws IoError when it cannot be read.
    static QsoCounts count(LogFile& log);

    const QStringList& bands() const { return m_bands; }
    const QStringList& modes() const { return m_modes; }
    // band == bands().size() or mode == modes().size() address the totals.
    int all(int band, int mode) const { return at(m_all, band, mode); }
    int sent(int band, int mode) const { return at(m_sent, band, mode); }
    int received(int band, int mode) const { return at(m_received, band, mode); }

    // The three shares of the percentage view, rounded half to even; -1
    // where the count to divide by is 0.
    struct Shares {
        int sent = -1;
        int received = -1;
        int receivedOfSent = -1;
    };
    Shares shares(int band, int mode) const;

    QString cellText(View view, int band, int mode) const;
    // The whole table: row 0 the band headings, column 0 the mode headings,
    // "Mode / Band" in the corner and the totals heading last in both.
    QVector<QStringList> table(View view, const LanguageTexts& texts) const;
    static int infoTextIndex(View view); // the LanguageTexts entry of the info line

private:
    int at(const QVector<int>& m, int band, int mode) const {
        return m[static_cast<qsizetype>(band) * (m_modes.size() + 1) + mode];
    }
    QStringList m_bands;
    QStringList m_modes;
    // [band][mode], totals last in both; a log without contacts has the totals alone.
    QVector<int> m_all{0};
    QVector<int> m_sent{0};
    QVector<int> m_received{0};
};

// One coloured sector of the pie: nothing, a full circle, or a sector from
// start counter-clockwise to 12 o'clock.
struct PieSector {
    enum Kind { None, Full, Sector } kind = None;
    QRect box;          // the circle's bounding square
    QPoint start;       // on the circle; the sector runs from here to 12 o'clock
    int startAngle16 = 0; // QPainter angles: 1/16 degree, 0 at 3 o'clock, counter-clockwise
    int spanAngle16 = 0;
};
// share in percent; radius 45 for the cards sent, 40 for those received.
PieSector pieSector(int share, int radius);

// The colours of the pie, also those of its legend.
namespace PieColour {
inline constexpr QRgb All = 0xffff0000;
inline constexpr QRgb Sent = 0xffffff00;
inline constexpr QRgb Received = 0xff008000;
} // namespace PieColour

// The 100 x 100 pie of the percentage view: all contacts red, the share of
// cards sent yellow, of cards received green.
QImage paintQsoPie(int sentShare, int receivedShare, const QColor& background);
