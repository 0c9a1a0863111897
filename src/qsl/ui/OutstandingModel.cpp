#include "qsl/ui/OutstandingModel.h"

namespace {
constexpr int kFields[] = {QsoRecord::Number, QsoRecord::Call,  QsoRecord::Date,     QsoRecord::Utc,   QsoRecord::Band,
                           QsoRecord::Mode,   QsoRecord::RstTx, QsoRecord::Comments, QsoRecord::QslOut};
constexpr int kColumns = int(std::size(kFields));
} // namespace

void OutstandingModel::setRows(QVector<OutstandingCards::Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void OutstandingModel::setRecord(int index, const QsoRecord& record) {
    m_rows[index].record = PackedRecord::fromRecord(record);
    Q_EMIT dataChanged(this->index(index, 0), this->index(index, kColumns - 1));
}

QStringList OutstandingModel::longestTexts(int column) const {
    constexpr int kMost = 16;
    const int field = kFields[column];
    qsizetype longest = 0;
    for (const OutstandingCards::Row& r : m_rows)
        longest = std::max(longest, r.record.rawField(field).size());
    // Proportional fonts: a text a few characters shorter may still be wider.
    QStringList texts;
    for (const OutstandingCards::Row& r : m_rows) {
        if (r.record.rawField(field).size() + 3 >= longest && texts.size() < kMost)
            texts << r.record.displayField(field);
    }
    return texts;
}

int OutstandingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(1, listedCount());
}

int OutstandingModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant OutstandingModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= listedCount())
        return {};
    return m_rows[index.row()].record.displayField(kFields[index.column()]);
}

QVariant OutstandingModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const QStringList titles = {QStringLiteral("#"),    QStringLiteral("Call"),     QStringLiteral("Date"),
                                       QStringLiteral("UTC"),  QStringLiteral("Band"),     QStringLiteral("Mode"),
                                       QStringLiteral("RST TX"), QStringLiteral("Comments"), QStringLiteral("QSL out")};
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    return titles[section];
}
