#include "evaluations/LocatorEvaluation.h"

#include "evaluations/EvaluationFilter.h"
#include "logstore/Codepage.h"
#include "logstore/LogFile.h"
#include "platform/ProgramTexts.h"
#include "refdata/Locator.h"
#include "settings/LanguageTexts.h"

#include <algorithm>

namespace {

quint64 gridKey(int x, int y) { return (quint64(quint32(x)) << 32) | quint32(y); }

// Grid numbers only for a square a map can hold. The first letter is not
// checked by the geodesy, and a typo there ("@N58", "ÖN58", a character from
// another script) would place the square thousands of columns away, make the
// table and the HTML file enormous and name its cells with non-letters.
QPoint squareNumbers(QStringView square) {
    if (square.isEmpty())
        return {-1, -1};
    const char16_t first = square[0].toUpper().unicode();
    if (first < u'A' || first > u'Z')
        return {-1, -1};
    return Locator::LocatorToNr(square);
}

} // namespace

QRgb squareRgb(SquareColour colour) {
    switch (colour) {
    case SquareColour::Worked: return qRgb(0, 128, 0);
    case SquareColour::Confirmed: return qRgb(255, 0, 0);
    case SquareColour::Own: return qRgb(0, 0, 255);
    case SquareColour::None: break;
    }
    return qRgb(255, 255, 255);
}

QString htmlColour(SquareColour colour) {
    const QRgb rgb = squareRgb(colour);
    return QStringLiteral("#%1%2%3")
        .arg(qRed(rgb), 2, 16, QChar(u'0'))
        .arg(qGreen(rgb), 2, 16, QChar(u'0'))
        .arg(qBlue(rgb), 2, 16, QChar(u'0'))
        .toUpper();
}

SquareCell LocatorResult::cell(int column, int row) const {
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows || !m_named)
        return {};
    if (column == m_originColumn && row == m_originRow)
        return {Locator::NrToLocator(m_own.x(), m_own.y()), SquareColour::Own};
    const int x = m_own.x() + column - m_originColumn;
    const int y = m_own.y() + row - m_originRow;
    return {Locator::NrToLocator(x, y), m_coloured.value(gridKey(x, y), SquareColour::None)};
}

QString LocatorResult::resultLine(const LanguageTexts& texts) const {
    return texts[LanguageTexts::ResultStart] + QString::number(worked) + texts[LanguageTexts::ResultSquares] +
           QString::number(confirmed) + texts[LanguageTexts::ResultEnd];
}

QString LocatorResult::invalidSquaresMessage() const { return collectedMessage(invalidSquares); }

LocatorResult runLocatorEvaluation(LogFile& log, const EvaluationFilter& filter, const QString& ownLocator,
                                   const LanguageTexts& texts) {
    LocatorResult result;
    QHash<QString, qsizetype> listed; // square text -> its entry
    QStringList firstNumbers;         // contact number of each entry's first contact
    int position = 0;
    log.scanPacked([&](const QString&, const PackedRecord& record) {
        ++position;
        const QStringView locator = record.rawField(QsoRecord::Locator);
        if (locator.isEmpty())
            return false;
        const auto verdict = filter.test(record, position, &result.error);
        if (verdict == EvaluationFilter::Verdict::Unreadable)
            return true;
        if (verdict == EvaluationFilter::Verdict::Skip)
            return false;
        const QString square = locator.first(std::min<qsizetype>(4, locator.size())).toString();
        const bool card = !record.rawField(QsoRecord::QslIn).isEmpty();
        const auto it = listed.constFind(square);
        if (it != listed.constEnd()) {
            if (card)
                result.squares[*it].colour = SquareColour::Confirmed;
            return false;
        }
        listed.insert(square, result.squares.size());
        result.squares.push_back({square, card ? SquareColour::Confirmed : SquareColour::Worked});
        firstNumbers << record.rawField(QsoRecord::Number).toString();
        return false;
    });
    if (!result.error.isEmpty()) {
        result.squares.clear();
        return result;
    }

    if (result.squares.isEmpty()) {
        result.squares = {SquareCell{}};
        result.m_columns = result.m_rows = 1;
        return result;
    }
    result.worked = static_cast<int>(result.squares.size());
    result.confirmed = static_cast<int>(std::count_if(result.squares.cbegin(), result.squares.cend(), [](const SquareCell& c) {
        return c.colour == SquareColour::Confirmed;
    }));

    const QPoint own = squareNumbers(ownLocator);
    if (own == QPoint(-1, -1)) {
        result.error = texts[LanguageTexts::OwnSquareInvalidStart] + ownLocator + texts[LanguageTexts::OwnSquareInvalidEnd];
        return result;
    }
    // The table is the rectangle around the own square and every square that
    // has grid numbers; a square written in two letter cases is one cell,
    // coloured by its later list entry.
    int west = own.x(), east = own.x(), north = own.y(), south = own.y();
    for (qsizetype i = 0; i < result.squares.size(); ++i) {
        const SquareCell& entry = result.squares[i];
        const QPoint p = squareNumbers(entry.text);
        if (p == QPoint(-1, -1)) {
            result.invalidSquares << msgText(Msg::EvalContactLine)
                                         .arg(firstNumbers[i], texts[LanguageTexts::SquareInvalidStart] + entry.text +
                                                                   texts[LanguageTexts::SquareInvalidEnd]);
            continue;
        }
        west = std::min(west, p.x());
        east = std::max(east, p.x());
        north = std::min(north, p.y());
        south = std::max(south, p.y());
        result.m_coloured.insert(gridKey(p.x(), p.y()), entry.colour);
    }
    result.m_own = own;
    result.m_named = true;
    result.m_columns = east - west + 1;
    result.m_rows = south - north + 1;
    result.m_originColumn = own.x() - west;
    result.m_originRow = own.y() - north;
    return result;
}

QStringList locatorHtmlLines(const LocatorResult& result, const QString& ownCall, const LanguageTexts& texts,
                             const LocatorHtmlOptions& options) {
    const QString font = QStringLiteral("font-family: MS Sans Serif, sans-serif; font-size:8pt;");
    const QString cellStyle = QStringLiteral("margin:0px; padding:1px; border:solid 1px #C0C0C0; color:#000000; "
                                             "background-color:#FFFFFF; ") + font;
    QStringList lines = {
        QStringLiteral("<!doctype html public \"-//W3C//DTD HTML 4.01 Transitional//EN\">"),
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        texts[LanguageTexts::LocatorHtmlTitle] + ownCall + QStringLiteral("</title>"),
        QStringLiteral("<style type=\"text/css\"><!--"),
        QStringLiteral("body {margin:2px; color:#000000; background-color:#FFFFFF; ") + font + QStringLiteral("} "),
        QStringLiteral("p {color:#000000; background-color:#FFFFFF; ") + font + u'}',
        QStringLiteral("table {border-width:0px; color:#000000; background-color:#FFFFFF; ") + font +
            QStringLiteral(" border-collapse:collapse;}"),
        QStringLiteral("tr {border-width:0px;}"),
        QStringLiteral("td.l {") + cellStyle +
            QStringLiteral(" width:200px; height:18px; text-align:center; vertical-align:middle;}"),
        QStringLiteral("td {") + cellStyle +
            QStringLiteral(" width:30px; height:30px; text-align:center; vertical-align:middle;}"),
        QStringLiteral("--></style>"),
        QStringLiteral("</head>"),
        options.print ? QStringLiteral("<body onLoad=\"window.print();\">") : QStringLiteral("<body>"),
    };
    auto cellLine = [](const QString& start, const SquareCell& c) {
        return start + htmlColour(c.colour) + QStringLiteral("\">") + c.text + QStringLiteral("</td>");
    };
    if (options.list) {
        lines << QStringLiteral("<table>");
        for (const SquareCell& c : result.squares)
            lines << QStringLiteral("<tr>") << cellLine(QStringLiteral(" <td class=\"l\" style=\"background-color:"), c)
                  << QStringLiteral("</tr>");
        lines << QStringLiteral("</table>");
    }
    if (options.list && options.table)
        lines << QStringLiteral("<p>&nbsp;</p>");
    if (options.table) {
        lines << QStringLiteral("<table>");
        for (int row = 0; row < result.rows(); ++row) {
            lines << QStringLiteral("<tr>");
            for (int column = 0; column < result.columns(); ++column)
                lines << cellLine(QStringLiteral(" <td style=\"background-color:"), result.cell(column, row));
            lines << QStringLiteral("</tr>");
        }
        lines << QStringLiteral("</table>");
    }
    lines << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

QByteArray locatorHtmlFile(const LocatorResult& result, const QString& ownCall, const LanguageTexts& texts,
                           const LocatorHtmlOptions& options) {
    QByteArray bytes;
    for (const QString& line : locatorHtmlLines(result, ownCall, texts, options)) {
        Codepage::encodeAppend(line, bytes);
        bytes += "\r\n";
    }
    return bytes;
}
