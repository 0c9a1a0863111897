#include "evaluations/ui/ContestRulesModel.h"

#include "platform/ProgramTexts.h"

ContestRulesModel::ContestRulesModel(QObject* parent) : QAbstractTableModel(parent) {
    connect(ProgramTexts::notifier(), &ProgramTextsNotifier::changed, this,
            [this] { Q_EMIT headerDataChanged(Qt::Horizontal, 0, ContestRules::ColumnCount - 1); });
}

void ContestRulesModel::setRules(const ContestRules& rules) {
    beginResetModel();
    m_rules = rules;
    endResetModel();
}

void ContestRulesModel::appendRule() {
    beginInsertRows({}, m_rules.rowCount(), m_rules.rowCount());
    m_rules.appendRule();
    endInsertRows();
}

void ContestRulesModel::deleteRule(int row) {
    if (row < 0 || row >= m_rules.rowCount())
        return;
    if (m_rules.rowCount() == 1) {
        m_rules.deleteRule(row);
        Q_EMIT dataChanged(index(0, 0), index(0, ContestRules::ColumnCount - 1));
        return;
    }
    beginRemoveRows({}, row, row);
    m_rules.deleteRule(row);
    endRemoveRows();
}

int ContestRulesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rules.rowCount(); }

int ContestRulesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ContestRules::ColumnCount;
}

QVariant ContestRulesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_rules.cell(index.row(), index.column());
}

bool ContestRulesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    m_rules.setCell(index.row(), index.column(), value.toString());
    Q_EMIT dataChanged(index, index);
    return true;
}

Qt::ItemFlags ContestRulesModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant ContestRulesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    // Read at each paint, so that a change of language shows at once.
    static constexpr Msg headers[] = {Msg::ContestHeaderKeys, Msg::ContestHeaderValue, Msg::ContestHeaderKind,
                                      Msg::ContestHeaderConditions};
    return section >= 0 && section < ContestRules::ColumnCount ? msgText(headers[section]) : QString();
}
