#pragma once

#include "evaluations/ContestRules.h"

#include <QAbstractTableModel>

// The rule table of the page "Contest" as the grid edits it: every cell
// editable in place, the rows those of the ContestRules it holds.
class ContestRulesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ContestRulesModel(QObject* parent = nullptr);

    const ContestRules& rules() const { return m_rules; }
    void setRules(const ContestRules& rules);
    void appendRule();
    void deleteRule(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ContestRules m_rules;
};
