#include "converter/LogConverter.h"

#include "converter/AdifFormat.h"
#include "converter/AdifReader.h"
#include "converter/ForeignText.h"
#include "converter/HtmlTable.h"
#include "converter/TargetLog.h"
#include "converter/TextTable.h"
#include "logstore/AtomicFile.h"
#include "logstore/Codepage.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "platform/Clock.h"
#include "platform/ProgramTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

constexpr qsizetype kChunk = 1 << 20;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QByteArray readWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw IoError(msgText(Msg::FileNotReadable)
                          .arg(native(path), file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw IoError(msgText(Msg::ReadErrorIn).arg(native(path), file.errorString()));
    }
    return bytes;
}

qint64 totalSize(const QStringList& paths) {
    qint64 total = 0;
    for (const QString& p : paths)
        total += QFileInfo(p).size();
    return total;
}

// An export's target is written in pieces to a temporary file, which
// replaces the target only once the whole export has succeeded.
class ExportFile {
public:
    explicit ExportFile(const QString& path) : m_file(path) { m_file.open(); }
    QByteArray& bytes() { return m_bytes; }
    void add(QString& text) {
        if (text.size() < kChunk)
            return;
        Codepage::encodeAppend(text, m_bytes);
        text.clear();
        flushIfFull();
    }
    void flushIfFull() {
        if (m_bytes.size() >= kChunk) {
            m_file.write(m_bytes);
            m_bytes.clear();
        }
    }
    void commit(const QString& rest = {}) {
        Codepage::encodeAppend(rest, m_bytes);
        m_file.write(m_bytes);
        m_file.commit();
    }

private:
    AtomicFile m_file;
    QByteArray m_bytes;
};

QString canonicalPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool isAmong(const QString& target, const QStringList& files) {
    const QString t = canonicalPath(target);
    return std::any_of(files.cbegin(), files.cend(), [&](const QString& f) { return canonicalPath(f) == t; });
}

// An export over one of its own logs would replace the log by the export.
void refuseExportOverLog(const QStringList& logs, const QString& target) {
    if (isAmong(target, logs)) {
        throw IoError(
            msgText(Msg::ExportOverLog)
                .arg(native(target)));
    }
}

} // namespace

// Reports progress about two hundred times per job at most.
class LogConverter::ProgressMeter {
public:
    ProgressMeter(const ConverterProgress& progress, qint64 total)
        : m_progress(progress), m_total(qMax<qint64>(total, 1)) {
        m_step = qMax<qint64>(m_total / 200, 64 * 1024);
    }
    void advanceTo(qint64 done) {
        m_done = qMin(done, m_total);
        if (m_progress && m_done - m_reported >= m_step) {
            m_reported = m_done;
            m_progress(m_done, m_total);
        }
    }
    void advance(qint64 bytes) { advanceTo(m_done + bytes); }
    void finish() {
        if (m_progress)
            m_progress(m_total, m_total);
    }

    // The records of the logs in list order and file order.
    template <typename F> void forEachRecord(const QStringList& logs, F&& f) {
        for (const QString& path : logs) {
            LogFile log(path);
            log.OpenForRead();
            QString line;
            QsoRecord record;
            while (log.ReadNextLine(line)) {
                if (!QsoRecord::decodeLine(line, record)) {
                    const QString message = log.formatErrorText(log.lineNumber());
                    log.CloseFile();
                    throw IoError(message);
                }
                advance(line.size() + 2);
                f(record, log);
            }
            log.CloseFile();
            if (log.incompleteLine())
                m_notes << log.incompleteLineText();
        }
    }
    const QStringList& notes() const { return m_notes; }

private:
    const ConverterProgress& m_progress;
    qint64 m_total;
    qint64 m_step;
    qint64 m_done = 0;
    qint64 m_reported = 0;
    QStringList m_notes;
};

// An import or a join is done once its target log is written.
ConverterResult LogConverter::committed(TargetLog& target, ProgressMeter& meter, ConverterResult result) {
    target.commit();
    meter.finish();
    result.total = target.count();
    result.notes += meter.notes();
    if (!target.incompleteLineText().isEmpty())
        result.notes << target.incompleteLineText();
    return result;
}

LogConverter::LogConverter(const Clock& clock)
    : m_clock(clock), m_creditText(QStringLiteral("Erstellt mit Vesk LogConverter")) {}

QString LogConverter::webAddress() {
    return QStringLiteral("https://vesk.example.org");
}

ConverterResult LogConverter::ExportAdif(const QStringList& logs, const QString& target) {
    refuseExportOverLog(logs, target);
    const QDateTime now = m_clock.localNow();
    ProgressMeter meter(m_progress, totalSize(logs));
    ConverterResult result;
    ExportFile out(target);
    out.bytes() = Adif::header(m_creditText, m_clock.utcNow());
    meter.forEachRecord(logs, [&](const QsoRecord& record, const LogFile&) {
        Adif::appendRecord(out.bytes(), record, now);
        out.flushIfFull();
        ++result.written;
    });
    out.commit();
    meter.finish();
    result.notes = meter.notes();
    return result;
}

ConverterResult LogConverter::ExportHtml(const QStringList& logs, const QString& target) {
    refuseExportOverLog(logs, target);
    QStringList names;
    for (const QString& log : logs)
        names << QFileInfo(log).fileName();
    ProgressMeter meter(m_progress, totalSize(logs));
    ConverterResult result;
    ExportFile out(target);
    QString text = HtmlTable::begin(names.join(QStringLiteral(" / ")));
    meter.forEachRecord(logs, [&](const QsoRecord& record, const LogFile&) {
        HtmlTable::appendRow(text, record);
        out.add(text);
        ++result.written;
    });
    out.commit(text + HtmlTable::end(m_creditText, webAddress()));
    meter.finish();
    result.notes = meter.notes();
    return result;
}

ConverterResult LogConverter::ExportTxtFest(const QStringList& logs, const QString& target) {
    refuseExportOverLog(logs, target);
    // Two passes over the logs: the first finds the column widths.
    ProgressMeter meter(m_progress, 2 * totalSize(logs));
    TextTable table;
    meter.forEachRecord(logs, [&](const QsoRecord& record, const LogFile&) { table.measure(record); });
    ConverterResult result;
    ExportFile out(target);
    QString text = table.headingLines();
    meter.forEachRecord(logs, [&](const QsoRecord& record, const LogFile&) {
        table.appendLine(text, record);
        out.add(text);
        ++result.written;
    });
    out.commit(text + table.creditLines(m_creditText));
    meter.finish();
    result.notes = meter.notes();
    return result;
}

ConverterResult LogConverter::ImportAdif(const QString& adifFile, const QString& targetLog) {
    const QByteArray bytes = ForeignText::utf16AsUtf8(readWhole(adifFile));
    const QString name = native(adifFile);
    const QString untouched =
        msgText(Msg::NothingImported).arg(native(targetLog));
    if (std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return QChar::isSpace(uchar(c)); }))
        throw IoError(msgText(Msg::ImportFileEmpty).arg(name, untouched));
    if (bytes.contains('\0'))
        throw IoError(
            msgText(Msg::ImportNotText)
                .arg(name, untouched));

    TargetLog target(targetLog, m_clock.localNow());
    target.nextNumber();
    AdifReader reader(bytes, adifFile, Adif::fieldNames());
    ProgressMeter meter(m_progress, reader.size());
    ConverterResult result;
    QStringList notes;
    // Fields whose characters the log's 8-bit text cannot hold, and the
    // first records that have them, so that the user can correct them.
    int lostFields = 0;
    QStringList lostIn;
    constexpr int kLostNamed = 5;
    AdifReader::Record in;
    while (reader.next(in)) {
        meter.advanceTo(reader.position());
        QsoRecord record;
        for (const AdifReader::Field& field : std::as_const(in.fields))
            Adif::applyField(record, field.index, field.value);
        Adif::finishRecord(record);
        if (!Adif::isComplete(record)) {
            ++result.skipped;
            continue;
        }
        if (!in.ended) {
            notes << msgText(Msg::AdifLastRecordOpen)
                         .arg(name)
                         .arg(in.number)
                         .arg(in.line);
        }
        const int lostBefore = lostFields;
        for (const AdifReader::Field& field : std::as_const(in.fields))
            lostFields += Codepage::holds(field.value) ? 0 : 1;
        if (lostFields > lostBefore && lostIn.size() <= kLostNamed)
            lostIn << QStringLiteral("%1 (%2)").arg(in.number).arg(record[QsoRecord::Call]);
        target.add(record);
        ++result.written;
    }
    if (lostIn.size() > kLostNamed)
        lostIn.last() = QStringLiteral("…");
    if (!reader.sawHeaderEnd() && !reader.sawRecordEnd() && result.written + result.skipped == 0) {
        throw IoError(
            msgText(Msg::NotAdif)
                .arg(name, untouched));
    }
    if (lostFields > 0) // first: the CLI shows only the first notes
        result.notes << msgText(Msg::AdifCharactersLost).arg(name).arg(lostFields).arg(lostIn.join(QStringLiteral(", ")));
    result.notes += reader.notes() + notes;
    return committed(target, meter, result);
}

StringGrid LogConverter::LoadHtml(const QString& htmlFile) {
    const QString html = ForeignText::decode(ForeignText::utf16AsUtf8(readWhole(htmlFile)));
    StringGrid grid;
    if (!HtmlTable::readFirstTable(html, grid)) {
        throw IoError(
            msgText(Msg::NoHtmlTable)
                .arg(native(htmlFile)));
    }
    grid.assignByHeadings();
    grid.setSourceName(native(htmlFile));
    return grid;
}

ConverterResult LogConverter::ImportStringGrid(const StringGrid& grid, int startRow,
                                               const QString& targetLog) {
    TargetLog target(targetLog, m_clock.localNow());
    target.nextNumber();
    const int first = qMax(startRow, 1);
    ProgressMeter meter(m_progress, qMax(grid.rowCount() - first, 0));
    ConverterResult result;
    // Looked up once: a table may be far wider than the columns it fills.
    const QList<int> assigned = grid.assignedColumns();
    for (int row = first; row < grid.rowCount(); ++row) {
        meter.advance(1);
        QsoRecord record;
        bool any = false;
        for (const int column : assigned) {
            const int field = grid.assignment(column);
            record[field] = grid.cell(column, row);
            any = any || !record[field].isEmpty();
        }
        if (!any) {
            ++result.skipped;
            continue;
        }
        target.add(record);
        ++result.written;
    }
    return committed(target, meter, result);
}

QList<int> LogConverter::Repair(const QStringList& logs) {
    ProgressMeter meter(m_progress, totalSize(logs));
    const QDateTime now = m_clock.localNow();
    QList<int> counts;
    for (const QString& path : logs) {
        LogFile log(path);
        counts << log.Normalize(now);
        meter.advance(QFileInfo(path).size());
    }
    meter.finish();
    return counts;
}

QString LogConverter::joinConflict(const QStringList& sources, const QString& target) {
    if (!isAmong(target, sources))
        return {};
    return msgText(Msg::JoinIntoSource)
        .arg(native(target));
}

ConverterResult LogConverter::Verbinden(const QStringList& sources, const QString& target) {
    const QString conflict = joinConflict(sources, target);
    if (!conflict.isEmpty())
        throw IoError(conflict);
    TargetLog log(target, m_clock.localNow());
    ProgressMeter meter(m_progress, totalSize(sources));
    ConverterResult result;
    meter.forEachRecord(sources, [&](const QsoRecord& record, const LogFile&) {
        log.add(record);
        ++result.written;
    });
    return committed(log, meter, result);
}
