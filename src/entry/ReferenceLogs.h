#pragma once

#include "logstore/PackedRecord.h"
#include "logstore/QsoRecord.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

class LogFile;
class LogTableModel;
class Settings;

// Earlier logs searched while a contact is entered: the four slots of
// section "Referenz-Logs" and the choice between the Ctrl+R search and the
// reference list under the mask.
namespace ReferenceLogs {

constexpr int SlotCount = 4;

// The base call every comparison uses: upper case, a trailing "/" and a
// suffix of one or two characters after a slash dropped ("Q1ABC/P",
// "Q1ABC/MM" → "Q1ABC"); longer suffixes and prefixes stay.
QString ExtractCall(const QString& call);

struct Options {
    QStringList paths; // SlotCount entries, empty for an unused slot
    bool luxus = false;
};
Options readOptions(const Settings& settings);
void writePaths(Settings& settings, const QStringList& paths);
void writeLuxus(Settings& settings, bool luxus);

// The reference logs that exist, in slot order (missing or empty slots are
// skipped). currentLog: the current log's path; a slot naming it is left out
// when excludeCurrent is set, so that its contacts are not listed twice.
QStringList existingLogs(const QStringList& paths, const QString& currentLog, bool excludeCurrent);

// The Ctrl+R search: the current log, then each existing reference log,
// each from its first record; the first contact whose base call is key.
// Throws IoError when a log that exists cannot be read.
std::optional<QsoRecord> findFirst(const QString& currentLog, const QStringList& paths, const QString& key);

} // namespace ReferenceLogs

// The contacts of the current log and of the reference logs, loaded once
// when the reference list appears, and the rows that fit what the mask holds.
class ReferenceData {
public:
    void clear();
    int size() const { return static_cast<int>(m_rows.size()); }
    const PackedRecord& row(int index) const { return m_rows[index].record; }

    // Every contact of the current log with its number.
    void appendCurrent(const LogTableModel& model);
    // Every contact of another log; its "#" stays empty, as the number
    // belongs to that log. Throws IoError when the log cannot be read; the
    // contacts read before stay.
    void appendLog(LogFile& log);

    // The rows whose base call begins with the base call of call and whose
    // DOK and locator begin with dok and locator (exact case; an empty text
    // lets every row through), in loading order.
    QVector<int> filter(const QString& call, const QString& dok, const QString& locator) const;

private:
    struct Row {
        PackedRecord record;
        QString baseCall;
    };
    void append(PackedRecord&& record);
    QVector<Row> m_rows;
};

// The grid rows of the reference list: a view on the fitting rows of the
// reference data, one empty row when nothing fits.
class ReferenceListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReferenceListModel(QObject* parent = nullptr);

    const ReferenceData& data() const { return m_data; }
    ReferenceData& data() { return m_data; }
    void setRows(QVector<int> rows);
    void clear();
    int hitCount() const { return static_cast<int>(m_rows.size()); }
    // The contact of a grid row; empty fields for the empty row.
    QsoRecord record(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ReferenceData m_data;
    QVector<int> m_rows;
};
