#pragma once

#include <QByteArray>
#include <QHash>
#include <QPoint>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <QVector>

class EvaluationFilter;
class LanguageTexts;
class LogFile;

enum class SquareColour { None, Worked, Confirmed, Own };
// None has no colour of its own: the grid shows its background, files white.
QRgb squareRgb(SquareColour colour);
QString htmlColour(SquareColour colour); // "#RRGGBB"

struct SquareCell {
    QString text;
    SquareColour colour = SquareColour::None;
    bool operator==(const SquareCell&) const = default;
};

// The squares worked, as a list in order of first contact and as a table
// around the own square: columns west to east, rows north to south.
class LocatorResult {
public:
    QVector<SquareCell> squares; // one empty cell when nothing was worked
    int worked = 0;
    int confirmed = 0;
    QStringList invalidSquares;  // one line per square left out of the table
    QString error;               // the run stopped; nothing is to be shown

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    int originColumn() const { return m_originColumn; }
    int originRow() const { return m_originRow; }
    // The text of a cell is worked out when asked for: a hand-edited locator
    // far out of the grid spans a table too big to hold as cells.
    SquareCell cell(int column, int row) const;

    QString resultLine(const LanguageTexts& texts) const;
    // The one message about the invalid squares; empty when there are none.
    QString invalidSquaresMessage() const;

private:
    friend LocatorResult runLocatorEvaluation(LogFile&, const EvaluationFilter&, const QString&,
                                              const LanguageTexts&);
    int m_columns = 0;
    int m_rows = 0;
    int m_originColumn = 0;
    int m_originRow = 0;
    QPoint m_own;
    bool m_named = false; // false: the single cell of an empty result
    QHash<quint64, SquareColour> m_coloured; // by grid numbers
};

// Reads the log from its first record. Throws IoError when it cannot be read.
LocatorResult runLocatorEvaluation(LogFile& log, const EvaluationFilter& filter, const QString& ownLocator,
                                   const LanguageTexts& texts);

struct LocatorHtmlOptions {
    bool list = true;
    bool table = true;
    bool print = false; // the browser prints the page once it has loaded it
};
// The lines of the HTML file, without line ends.
QStringList locatorHtmlLines(const LocatorResult& result, const QString& ownCall, const LanguageTexts& texts,
                             const LocatorHtmlOptions& options);
// The file itself: Windows-1252, each line ended by CR LF.
QByteArray locatorHtmlFile(const LocatorResult& result, const QString& ownCall, const LanguageTexts& texts,
                           const LocatorHtmlOptions& options);
