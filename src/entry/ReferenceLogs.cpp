#include "entry/ReferenceLogs.h"

#include "logstore/BandList.h"
#include "logstore/IoError.h"
#include "logstore/LogFile.h"
#include "logstore/LogTableModel.h"
#include "settings/Settings.h"

#include <QFileInfo>

namespace {
const QString kSection = QStringLiteral("Referenz-Logs");
const QString kLuxus = QStringLiteral("Luxusfunktion");
QString slotKey(int slot) { return QStringLiteral("Log%1").arg(slot); }

// Two names of one file, whichever way they are written.
bool sameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo x(a);
    const QFileInfo y(b);
    if (x.absoluteFilePath() == y.absoluteFilePath())
        return true;
    const QString cx = x.canonicalFilePath();
    return !cx.isEmpty() && cx == y.canonicalFilePath();
}
} // namespace

namespace ReferenceLogs {

QString ExtractCall(const QString& call) {
    QString c = AsciiCase::toUpper(call);
    if (c.endsWith(u'/'))
        c.chop(1);
    if (c.size() > 1 && c[c.size() - 2] == u'/')
        c.chop(2);
    if (c.size() > 2 && c[c.size() - 3] == u'/')
        c.chop(3);
    return c;
}

Options readOptions(const Settings& settings) {
    Options o;
    for (int slot = 1; slot <= SlotCount; ++slot)
        o.paths << settings.readString(kSection, slotKey(slot));
    o.luxus = settings.readBool(kSection, kLuxus, false);
    return o;
}

void writePaths(Settings& settings, const QStringList& paths) {
    for (int slot = 1; slot <= SlotCount; ++slot)
        settings.writeString(kSection, slotKey(slot), paths.value(slot - 1));
}

void writeLuxus(Settings& settings, bool luxus) { settings.writeBool(kSection, kLuxus, luxus); }

QStringList existingLogs(const QStringList& paths, const QString& currentLog, bool excludeCurrent) {
    QStringList logs;
    for (const QString& path : paths) {
        // Only a missing file is passed over; anything else under the name
        // that cannot be read as a log is reported when it is read.
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        if (excludeCurrent && sameFile(path, currentLog))
            continue;
        logs << path;
    }
    return logs;
}

std::optional<QsoRecord> findFirst(const QString& currentLog, const QStringList& paths, const QString& key) {
    QStringList logs;
    if (!currentLog.isEmpty())
        logs << currentLog;
    logs << existingLogs(paths, currentLog, false);
    for (const QString& path : logs) {
        LogFile log(path);
        std::optional<QsoRecord> found;
        log.scanPacked([&](const QString&, const PackedRecord& record) {
            if (ExtractCall(record.field(QsoRecord::Call)) != key)
                return false;
            found = record.toRecord();
            return true;
        });
        if (found)
            return found;
    }
    return std::nullopt;
}

} // namespace ReferenceLogs

void ReferenceData::clear() { m_rows.clear(); }

void ReferenceData::append(PackedRecord&& record) {
    QString base = ReferenceLogs::ExtractCall(record.field(QsoRecord::Call));
    m_rows.push_back({std::move(record), std::move(base)});
}

void ReferenceData::appendCurrent(const LogTableModel& model) {
    m_rows.reserve(m_rows.size() + model.recordCount());
    for (int i = 0; i < model.recordCount(); ++i) {
        PackedRecord copy = model.packed(i);
        append(std::move(copy));
    }
}

void ReferenceData::appendLog(LogFile& log) {
    PackedRecord withoutNumber;
    log.scanPacked([&](const QString& line, const PackedRecord&) {
        // The line from its first separator on: the same fields, "#" empty.
        const qsizetype first = line.indexOf(u';');
        PackedRecord::fromLine(first < 0 ? QString() : line.mid(first), withoutNumber);
        append(std::move(withoutNumber));
        return false;
    });
}

QVector<int> ReferenceData::filter(const QString& call, const QString& dok, const QString& locator) const {
    const QString key = ReferenceLogs::ExtractCall(call);
    QVector<int> rows;
    for (int i = 0; i < size(); ++i) {
        const Row& row = m_rows[i];
        if (!row.baseCall.startsWith(key))
            continue;
        if (!dok.isEmpty() && !row.record.rawField(QsoRecord::Dok).startsWith(dok))
            continue;
        if (!locator.isEmpty() && !row.record.rawField(QsoRecord::Locator).startsWith(locator))
            continue;
        rows.push_back(i);
    }
    return rows;
}

ReferenceListModel::ReferenceListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ReferenceListModel::setRows(QVector<int> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ReferenceListModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_data.clear();
    endResetModel();
}

QsoRecord ReferenceListModel::record(int row) const {
    if (row < 0 || row >= hitCount())
        return {};
    return m_data.row(m_rows[row]).toRecord();
}

int ReferenceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(1, hitCount());
}

int ReferenceListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : QsoRecord::FieldCount;
}

QVariant ReferenceListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= hitCount())
        return {};
    return m_data.row(m_rows[index.row()]).displayField(index.column() + 1);
}

QVariant ReferenceListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= QsoRecord::FieldCount)
        return {};
    return QsoRecord::gridTitles()[section];
}
