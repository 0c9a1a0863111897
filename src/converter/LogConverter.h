#pragma once

#include "converter/ConverterTypes.h"
#include "converter/StringGrid.h"

#include <QList>
#include <QString>
#include <QStringList>

class Clock;
class TargetLog;

// The jobs of the log converter on files given by full path: exports of
// logs to ADIF, HTML and fixed-width text, imports from ADIF and from an HTML
// table into a log, repair and joining of logs. The wizard window and the
// batch commands both call these; nothing here asks the user anything.
//
// Every operation throws IoError when it cannot be done; the message names
// the file and the line or record, and no file is left half written: an
// export replaces its target only when it is complete, an import or a join
// writes its target log once, after every record has been read and
// normalised.
class LogConverter {
public:
    explicit LogConverter(const Clock& clock);

    void setProgress(ConverterProgress progress) { m_progress = std::move(progress); }
    // Line 264 of the language file; "Erstellt mit Vesk LogConverter" until set.
    void setCreditText(const QString& text) { m_creditText = text; }
    const QString& creditText() const { return m_creditText; }
    static QString webAddress();

    // The records of the logs, in list order and file order.
    ConverterResult ExportAdif(const QStringList& logs, const QString& target);
    ConverterResult ExportHtml(const QStringList& logs, const QString& target);
    ConverterResult ExportTxtFest(const QStringList& logs, const QString& target);

    // Appends the records of an ADIF file that have date, time, band, mode
    // and call to the target log (created when missing), then normalises it.
    // Records without one of them are counted in `skipped`; workarounds for
    // broken lengths and a last record without <EOR> are listed in `notes`.
    ConverterResult ImportAdif(const QString& adifFile, const QString& targetLog);

    // The first table of an HTML file as an assignment grid, every column
    // assigned by the heading in its first row. Throws IoError for a file
    // without a table.
    StringGrid LoadHtml(const QString& htmlFile);
    // Appends grid rows startRow.. (1 = the first table row) to the target log
    // and normalises it. A row whose assigned cells are all empty is no
    // contact: it is counted in `skipped`.
    ConverterResult ImportStringGrid(const StringGrid& grid, int startRow, const QString& targetLog);

    // Normalises each log in place; the number of contacts of each.
    QList<int> Repair(const QStringList& logs);

    // Appends the records of the sources, unchanged and in list order, to the
    // target (created when missing), then normalises it. A target that is one
    // of the sources is refused before anything is read.
    ConverterResult Verbinden(const QStringList& sources, const QString& target);

    // The message for a join whose target is one of its sources, or an empty
    // text; the wizard can show it before it starts.
    static QString joinConflict(const QStringList& sources, const QString& target);

private:
    class ProgressMeter;
    static ConverterResult committed(TargetLog& target, ProgressMeter& meter, ConverterResult result);

    const Clock& m_clock;
    ConverterProgress m_progress;
    QString m_creditText;
};
